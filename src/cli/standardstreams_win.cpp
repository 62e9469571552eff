// Windows' C runtime turns every LF into CR LF on a stream in text mode (and
// a report of CR LF lines into CR CR LF): the streams are set to binary. A
// console shows the UTF-8 bytes as UTF-8.
#include "cli/standardstreams.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

namespace zanpel::cli {

void PrepareStandardStreams() {
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
    ::SetConsoleOutputCP(CP_UTF8);
}

} // namespace zanpel::cli
