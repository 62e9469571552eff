// A writer on a disk that is full while Full is set: its writes fail with
// ENOSPC once the Room bytes that still fit are written (the first write of a
// save goes part-way when Room is less than it).
#pragma once

#include "records/atomicfile.h"

#include <algorithm>
#include <cerrno>

namespace zanpel::test {

class DiskFullWriter : public AtomicWriter {
public:
    bool Full = true;
    size_t Room = 0;

protected:
    ssize_t WriteSome(int fd, const char* data, size_t size) override {
        if (!Full)
            return AtomicWriter::WriteSome(fd, data, size);
        if (Room == 0) {
            errno = ENOSPC;
            return -1;
        }
        const ssize_t written = AtomicWriter::WriteSome(fd, data, std::min(size, Room));
        if (written > 0)
            Room -= static_cast<size_t>(written);
        return written;
    }
};

} // namespace zanpel::test
