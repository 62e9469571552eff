// The application the user works in: the exe name of the program that owns
// the foreground window and that window's title. A source keeps this pair
// current from the window system's own notifications, so that reading it
// costs nothing; the bar reads it on every idle pass.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zanpel {

inline constexpr size_t MaxExeNameBytes = 260;
inline constexpr size_t MaxTitleBytes = 255;

// CP932 texts. ExeName is the lower-case base name of the program file, at
// most MaxExeNameBytes; it is empty when no program can be named, and for the
// windows of this program itself. Title has at most MaxTitleBytes.
struct TForegroundApp {
    std::string ExeName;
    std::string Title;
    bool operator==(const TForegroundApp&) const = default;
};

class ForegroundSource {
public:
    virtual ~ForegroundSource() = default;
    // False when this session has no way to identify applications.
    virtual bool Available() const = 0;
    virtual const TForegroundApp& Foreground() const = 0;
};

// The source of a session without application identification: no
// application is ever in the foreground.
class NullForegroundSource final : public ForegroundSource {
public:
    bool Available() const override { return false; }
    const TForegroundApp& Foreground() const override { return m_none; }

private:
    TForegroundApp m_none;
};

// The exe name of a program file: the base name of path (file name bytes,
// taken as UTF-8) in CP932, ASCII letters lowered, at most MaxExeNameBytes.
std::string ExeNameOfPath(std::string_view path);

// text (CP932) cut to at most maxBytes, never inside a double-byte character.
std::string CutCp932(std::string_view text, size_t maxBytes);

} // namespace zanpel
