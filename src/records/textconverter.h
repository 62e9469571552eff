// The platform's side of textcodec.h: iconv (textconverter_iconv.cpp), or
// Windows' code page 932 (textconverter_win.cpp). Only textcodec.cpp calls it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zanpel {

enum class TextDirection { Cp932ToUtf8, Utf8ToCp932 };

// How many bytes of rest, which begins with a sequence that did not convert,
// the conversion passes over.
using SkipLength = size_t (*)(std::string_view rest);

// Converts in; each sequence that does not convert becomes replacement and
// its skip(rest) bytes are passed over.
std::string ConvertText(TextDirection direction, std::string_view in, std::string_view replacement,
                        SkipLength skip);

} // namespace zanpel
