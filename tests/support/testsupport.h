// Helpers shared by the tests: temporary folders, CP932 literals, file access.
#pragma once

#include "records/textcodec.h"

#include <initializer_list>
#include <map>
#include <optional>
#include <string>

namespace zanpel::test {

// A fresh folder under the system's temporary folder, removed with its content.
class TempDir {
public:
    TempDir();
    explicit TempDir(const std::string& under); // in that folder
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

// A folder in memory (/dev/shm) where there is one, else the temporary
// folder: for tests that save many times, where each fsync would wait on a disk.
std::string FastTempFolder();

// CP932 bytes of a UTF-8 literal, as the core holds its texts.
inline std::string Sjis(const std::string& utf8) {
    return Utf8ToCp932(utf8);
}

std::string ReadFile(const std::string& path);
// The text of every month file (YYYYMM.dat) of folder, one after the other;
// empty when there is none.
std::string MonthFiles(const std::string& folder);
void WriteFile(const std::string& path, const std::string& contents);
// Path of a fixture in tests/data.
std::string DataFile(const std::string& name);

// Environment variables of the test process set (a value of "" removes the
// variable) for the object's life, as a session would have them for the
// code under test; the old values come back at its end.
class ScopedEnvironment {
public:
    explicit ScopedEnvironment(const std::map<std::string, std::string>& env);
    ScopedEnvironment(std::initializer_list<std::pair<const std::string, std::string>> env)
        : ScopedEnvironment(std::map<std::string, std::string>(env)) {}
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::map<std::string, std::optional<std::string>> m_old;
};

} // namespace zanpel::test
