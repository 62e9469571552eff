// The single-instance lock: held by the running bar for its whole life, and by
// the command-line tool for the moment it writes a file the bar also writes.
#pragma once

#include <string>

namespace zanpel {

class InstanceLock {
public:
    static constexpr const char* FileName = "zanpel_Mutex_Execute.lock";

    // folder: where the lock file lives (see RuntimeFolder).
    explicit InstanceLock(std::string folder);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // True when this object now holds the lock; false when another process
    // holds it (or the lock file cannot be made; Error() says why).
    bool TryAcquire();
    void Release();
    bool Held() const { return m_handle >= 0; }
    const std::string& Error() const { return m_error; }
    std::string Path() const;

    // $XDG_RUNTIME_DIR, else /tmp/zanpel-<uid> (made with mode 0700).
    static std::string RuntimeFolder();

private:
    std::string m_folder;
    std::string m_error;
    int m_handle = -1;
};

} // namespace zanpel
