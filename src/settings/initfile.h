// The settings file as an ordered list of KEY=value lines (CP932 bytes). Lines
// that are no key of ours, with or without "=", are kept as they are, so a
// file edited by hand or shared with another version survives a save.
#pragma once

#include "records/csvfile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zanpel {

class AtomicWriter;

// The whole text as a decimal integer: an optional "-" and at least one digit,
// nothing else (no blanks, no "+"), within the 32-bit range. Anything else is
// no integer at all, so that "12abc" is not read as 12.
std::optional<int32_t> ToDecimalInt(std::string_view text);

class TInitFile {
public:
    TInitFile() = default;
    explicit TInitFile(std::string fileName) : m_fileName(std::move(fileName)) {}

    // Reads the lines of FileName. A missing file gives no lines and is no
    // error; a file that exists but cannot be read gives no lines, false and
    // the cause in error.
    bool Load(std::string& error);
    // Sets the lines from a text; lines end at CR, LF or CR LF.
    void SetText(std::string_view text);
    // Every line followed by CR LF.
    std::string Text() const;
    // Writes the file (replacing it atomically) when FileName is set and a
    // write changed the lines; returns the cause of a failure, else empty.
    std::string Save(AtomicWriter& writer);

    const std::string& FileName() const { return m_fileName; }
    bool Modified() const { return m_modified; }
    const StringList& Lines() const { return m_lines; }

    // Index of the first line that holds "=" and whose text before its first
    // "=" is key, compared without regard to letter case; -1 when none.
    int IndexOfKey(std::string_view key) const;
    // The value of key (everything after the first "=", untrimmed).
    std::optional<std::string_view> Value(std::string_view key) const;

    // Missing keys, and integers that are no decimal integer, give def.
    int32_t ReadInt(std::string_view key, int32_t def) const;
    // True only for the value "1" exactly.
    bool ReadBool(std::string_view key, bool def) const;
    std::string ReadText(std::string_view key, std::string_view def) const;

    // Replaces the key's first line by KEY=value (the key as given here, so a
    // line found in another letter case is rewritten in ours), or appends it.
    void WriteInt(std::string_view key, int32_t value);
    void WriteBool(std::string_view key, bool value);
    // An empty text removes every line of the key instead: removing only the
    // first would let a duplicate further down come back as the value. A text
    // is cut at its first line break, which one line of the file cannot hold.
    void WriteText(std::string_view key, std::string_view value);

    // Sorts the lines alphabetically without regard to letter case; lines that
    // differ in letter case only are ordered by their bytes, so the written
    // file does not depend on the order the lines had. The lines of one key
    // end up next to each other; the line a write set stays the first of
    // them, so that a duplicate left in the file cannot take the place of
    // the value written.
    void Sort();

private:
    std::string m_fileName;
    StringList m_lines;
    StringList m_writtenKeys;
    bool m_modified = false;
};

} // namespace zanpel
