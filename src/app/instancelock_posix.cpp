#include "app/instancelock.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zanpel {

bool InstanceLock::TryAcquire() {
    if (Held())
        return true;
    const int fd = ::open(Path().c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        m_error = Path() + ": " + std::strerror(errno);
        return false;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        m_error = errno == EWOULDBLOCK ? std::string() : Path() + ": " + std::strerror(errno);
        ::close(fd);
        return false;
    }
    m_handle = fd;
    m_error.clear();
    return true;
}

void InstanceLock::Release() {
    if (m_handle < 0)
        return;
    ::flock(m_handle, LOCK_UN);
    ::close(m_handle);
    m_handle = -1;
}

std::string InstanceLock::RuntimeFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] != '\0') {
        // The user's own choice, so a link to a folder of the user's is fine:
        // the folder it leads to is the one that must be safe.
        char real[PATH_MAX];
        return ::realpath(runtime, real) != nullptr ? real : runtime;
    }
    const std::string folder = "/tmp/zanpel-" + std::to_string(::getuid());
    ::mkdir(folder.c_str(), 0700);
    return folder;
}

} // namespace zanpel
