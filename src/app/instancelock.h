// An exclusive lock on a file, dropped by the kernel when the process ends.
// Two of them are used: the single-instance lock in the runtime folder (one
// bar per user, beside the hand-over socket), and the data folder's lock, held
// by the running bar for its whole life and by the command-line tool for the
// moment it writes a file the bar also writes. The second lives beside the
// files it protects, so that a bar and a tool started with different
// environments (a cron job without XDG_RUNTIME_DIR) still see each other.
#pragma once

#include "records/ownfiles.h"

#include <string>
#include <utility>

namespace zanpel {

class InstanceLock {
public:
    static constexpr const char* FileName = "zanpel_Mutex_Execute.lock";
    static constexpr const char* DataFolderFileName = DataFolderLockName;

    // folder: where the lock file lives (see RuntimeFolder); fileName: its name.
    explicit InstanceLock(std::string folder, std::string fileName = FileName)
        : m_folder(std::move(folder)), m_fileName(std::move(fileName)) {}
    ~InstanceLock() { Release(); }
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // True when this object now holds the lock; false when another process
    // holds it (or the lock file cannot be made; Error() says why).
    bool TryAcquire();
    void Release();
    bool Held() const { return m_handle >= 0; }
    // The process that holds the lock (each holder writes its id into the
    // lock file); 0 when that is not known.
    int HolderPid() const;
    const std::string& Error() const { return m_error; }
    std::string Path() const { return m_folder + "/" + m_fileName; }

    // $XDG_RUNTIME_DIR, else /tmp/zanpel-<uid> (made with mode 0700).
    static std::string RuntimeFolder();

private:
    std::string m_folder;
    std::string m_fileName;
    std::string m_error;
    int m_handle = -1;
};

} // namespace zanpel
