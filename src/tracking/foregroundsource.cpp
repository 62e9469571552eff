#include "tracking/foregroundsource.h"

#include "records/textcodec.h"
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
    std::string name = Utf8ToCp932(path);
    // Only single-byte letters: the second byte of a double-byte character
    // may look like an upper-case letter.
    for (size_t i = 0; i < name.size(); i += Cp932CharLength(name, i)) {
        const auto b = static_cast<unsigned char>(name[i]);
        if (b >= 'A' && b <= 'Z' && Cp932CharLength(name, i) == 1)
            name[i] = static_cast<char>(b + ('a' - 'A'));
    }
    return CutCp932(name, MaxExeNameBytes);
}

} // namespace zanpel
