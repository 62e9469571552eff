// Windows has no iconv: its own code page 932 converts, through UTF-16.
#include "records/textcodec.h"
#include "records/textconverter.h"

#include <windows.h>

#include <climits>

namespace zanpel {
namespace {

constexpr UINT Cp932 = 932;

// in as UTF-16; false when a byte sequence does not convert.
bool ToWide(UINT codePage, std::string_view in, std::wstring& wide) {
    wide.clear();
    if (in.empty())
        return true;
    if (in.size() > INT_MAX)
        return false;
    const int size = static_cast<int>(in.size());
    const int n =
        ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, in.data(), size, nullptr, 0);
    if (n <= 0)
        return false;
    wide.resize(static_cast<size_t>(n));
    return ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, in.data(), size, wide.data(), n) ==
           n;
}

// wide in the code page; false when a character has no place in it (no
// "best fit" look-alikes: a character CP932 lacks is not guessed).
bool FromWide(UINT codePage, std::wstring_view wide, std::string& out) {
    out.clear();
    if (wide.empty())
        return true;
    const int size = static_cast<int>(wide.size());
    const DWORD flags = codePage == CP_UTF8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* used = codePage == CP_UTF8 ? nullptr : &usedDefault;
    const int n =
        ::WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, used);
    if (n <= 0 || usedDefault)
        return false;
    out.resize(static_cast<size_t>(n));
    return ::WideCharToMultiByte(codePage, flags, wide.data(), size, out.data(), n, nullptr,
                                 used) == n &&
           !usedDefault;
}

bool Convert(UINT from, UINT to, std::string_view in, std::string& out) {
    std::wstring wide;
    return ToWide(from, in, wide) && FromWide(to, wide, out);
}

} // namespace

std::string ConvertText(TextDirection direction, std::string_view in, std::string_view replacement,
                        SkipLength skip) {
    const UINT from = direction == TextDirection::Cp932ToUtf8 ? Cp932 : CP_UTF8;
    const UINT to = direction == TextDirection::Cp932ToUtf8 ? CP_UTF8 : Cp932;
    std::string out;
    if (Convert(from, to, in, out))
        return out;
    // Character by character, as iconv goes: what does not convert is
    // replaced, and the conversion goes on after it.
    out.clear();
    std::string piece;
    while (!in.empty()) {
        const size_t n = std::min(in.size(), std::max<size_t>(1, skip(in)));
        if (Convert(from, to, in.substr(0, n), piece))
            out += piece;
        else
            out += replacement;
        in.remove_prefix(n);
    }
    return out;
}

// Arguments arrive in the active code page: UTF-8 under the program's
// manifest, else the system's (932 on a Japanese Windows).
std::string LocaleToCp932(std::string_view text) {
    std::wstring wide;
    std::string out;
    if (ToWide(CP_ACP, text, wide) && FromWide(Cp932, wide, out))
        return out;
    return Utf8ToCp932(text);
}

} // namespace zanpel
