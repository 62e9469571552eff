// A writer whose writes fail as on a full disk, while Fail is set.
#pragma once

#include "records/atomicfile.h"

#include <cerrno>

namespace zanpel::test {

class FailingWriter : public AtomicWriter {
public:
    bool Fail = true;

protected:
    ssize_t WriteSome(int fd, const char* data, size_t size) override {
        if (!Fail)
            return AtomicWriter::WriteSome(fd, data, size);
        errno = ENOSPC;
        return -1;
    }
};

} // namespace zanpel::test
