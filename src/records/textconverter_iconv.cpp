#include "records/textcodec.h"
#include "records/textconverter.h"

#include <iconv.h>
#include <langinfo.h>

#include <algorithm>
#include <cerrno>
#include <string>

namespace zanpel {
namespace {

// One conversion descriptor per direction and thread, opened on first use.
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter() {
        if (m_cd != reinterpret_cast<iconv_t>(-1))
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts in; on a byte sequence it cannot take, appends replacement and
    // skips skip(rest) bytes.
    template <typename Skip>
    std::string Convert(std::string_view in, std::string_view replacement, Skip skip) {
        std::string out;
        if (m_cd == reinterpret_cast<iconv_t>(-1))
            return std::string(in);
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        out.resize(in.size() * 3 + 16);
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        char* dst = out.data();
        size_t dstLeft = out.size();
        while (srcLeft > 0) {
            if (iconv(m_cd, &src, &srcLeft, &dst, &dstLeft) != static_cast<size_t>(-1))
                break;
            if (errno == E2BIG) {
                const size_t used = out.size() - dstLeft;
                out.resize(out.size() * 2);
                dst = out.data() + used;
                dstLeft = out.size() - used;
                continue;
            }
            // EILSEQ or EINVAL: an unconvertible or cut-off sequence.
            if (dstLeft < replacement.size() + 8) {
                const size_t used = out.size() - dstLeft;
                out.resize(out.size() * 2 + replacement.size());
                dst = out.data() + used;
                dstLeft = out.size() - used;
            }
            for (char c : replacement) {
                *dst++ = c;
                --dstLeft;
            }
            const size_t n = std::min(srcLeft, skip(std::string_view(src, srcLeft)));
            src += n;
            srcLeft -= n;
            iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        }
        out.resize(out.size() - dstLeft);
        return out;
    }

private:
    iconv_t m_cd;
};

} // namespace

std::string ConvertText(TextDirection direction, std::string_view in, std::string_view replacement,
                        SkipLength skip) {
    if (direction == TextDirection::Cp932ToUtf8) {
        thread_local Converter fromCp932("UTF-8", "CP932");
        return fromCp932.Convert(in, replacement, skip);
    }
    thread_local Converter toCp932("CP932", "UTF-8");
    return toCp932.Convert(in, replacement, skip);
}

std::string LocaleToCp932(std::string_view text) {
    const std::string codeset = nl_langinfo(CODESET);
    if (codeset == "UTF-8" || codeset == "ANSI_X3.4-1968")
        return Utf8ToCp932(text);
    Converter converter("CP932", codeset.c_str());
    return converter.Convert(text, "?", [](std::string_view) { return size_t{1}; });
}

} // namespace zanpel
