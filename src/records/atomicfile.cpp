// What AtomicWriter does alike on every system; the rest is in
// atomicfile_posix.cpp and atomicfile_win.cpp.
#include "records/atomicfile.h"

#include <cerrno>

namespace zanpel {

int AtomicWriter::WriteAll(int fd, std::string_view data) {
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = WriteSome(fd, data.data() + done, data.size() - done);
        if (n > 0)
            done += static_cast<size_t>(n);
        else if (n < 0 && errno != EINTR)
            return errno;
        else if (n == 0)
            return EIO;
    }
    return 0;
}

} // namespace zanpel
