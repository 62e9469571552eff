#include "app/instancelock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

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
    // Who holds it, for a second copy that finds it held.
    const std::string pid = std::to_string(::getpid()) + "\n";
    if (::ftruncate(fd, 0) != 0 || ::pwrite(fd, pid.data(), pid.size(), 0) < 0) {
        // Only a message is poorer without it.
    }
    return true;
}

int InstanceLock::HolderPid() const {
    const int fd = ::open(Path().c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return 0;
    char text[16] = {};
    const ssize_t n = ::read(fd, text, sizeof text - 1);
    ::close(fd);
    return n > 0 ? std::atoi(text) : 0;
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
