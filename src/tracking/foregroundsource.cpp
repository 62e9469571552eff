#include "tracking/foregroundsource.h"

#include "records/textcodec.h"
#include "records/textcompare.h"
#include "records/timevalues.h"

namespace zanpel {

std::string CutCp932(std::string_view text, size_t maxBytes) {
    size_t end = 0;
    while (end < text.size()) {
        const size_t next = end + Cp932CharLength(text, end);
        if (next > maxBytes)
            break;
        end = next;
    }
    return std::string(text.substr(0, end));
}

std::string ExeNameOfPath(std::string_view path) {
    const size_t slash = path.rfind('/');
    if (slash != std::string_view::npos)
        path.remove_prefix(slash + 1);
    return CutCp932(LowerAsciiLetters(Utf8ToCp932(path)), MaxExeNameBytes);
}

} // namespace zanpel
