#include "tracking/windowtitle.h"

#include "records/textcodec.h"
#include "tracking/foregroundsource.h"

#include <algorithm>

namespace zanpel {
namespace {

constexpr unsigned char Esc = 0x1B;
constexpr unsigned char Csi = 0x9B;

// The character sets a compound text title can use for Japanese and Western
// text; every other set gives "?" per character.
enum class TCharset { Ascii, Katakana, Latin1, Jis0208, Other94, Other96, OtherDouble };

// Builds the CP932 result from UTF-8 pieces (converted in runs through the
// codec) and CP932 bytes that need no table.
class TTitleBuilder {
public:
    void Utf8(std::string_view text) { m_utf8 += text; }
    void Latin1(unsigned char b) {
        if (b < 0x80) {
            m_utf8 += static_cast<char>(b);
        } else {
            m_utf8 += static_cast<char>(0xC0 | (b >> 6));
            m_utf8 += static_cast<char>(0x80 | (b & 0x3F));
        }
    }
    void Cp932(std::string_view bytes) {
        Flush();
        m_out += bytes;
    }
    std::string Take() {
        Flush();
        return std::move(m_out);
    }

private:
    void Flush() {
        if (!m_utf8.empty())
            m_out += Utf8ToCp932(m_utf8);
        m_utf8.clear();
    }
    std::string m_out;
    std::string m_utf8;
};

// JIS X 0208 row and cell (0x21..0x7E each) to Shift JIS: the arithmetic
// that defines Shift JIS, valid for the rows JIS X 0208 assigns.
std::string JisToSjis(unsigned char j1, unsigned char j2) {
    const auto s1 = static_cast<unsigned char>((j1 + 1) / 2 + (j1 <= 0x5E ? 0x70 : 0xB0));
    const auto s2 = static_cast<unsigned char>(j2 + ((j1 & 1) ? (j2 >= 0x60 ? 0x20 : 0x1F) : 0x7E));
    return {static_cast<char>(s1), static_cast<char>(s2)};
}

class TCompoundTextReader {
public:
    explicit TCompoundTextReader(std::string_view text) : m_text(text) {}

    std::string Read() {
        while (m_pos < m_text.size()) {
            const unsigned char b = Byte(m_pos);
            if (b == Esc)
                Escape();
            else if (b == Csi)
                SkipControlSequence();
            else if (b == '\t' || b == '\n' || b == ' ')
                m_out.Utf8(std::string_view(m_text.data() + m_pos++, 1));
            else if (b >= 0x21 && b <= 0x7E)
                Graphic(m_gl, b);
            else if (b >= 0xA0)
                Graphic(m_gr, static_cast<unsigned char>(b & 0x7F), b == 0xA0 || b == 0xFF);
            else
                ++m_pos; // other controls carry nothing for a title
        }
        return m_out.Take();
    }

private:
    unsigned char Byte(size_t i) const {
        return i < m_text.size() ? static_cast<unsigned char>(m_text[i]) : 0;
    }

    // One character of the set designated to the half the byte came from.
    // edge: 0xA0 or 0xFF, which only 96-character sets use.
    void Graphic(TCharset set, unsigned char low, bool edge = false) {
        const size_t start = m_pos++;
        switch (set) {
        case TCharset::Ascii:
            if (!edge)
                m_out.Utf8(std::string(1, static_cast<char>(low)));
            return;
        case TCharset::Latin1:
            m_out.Latin1(static_cast<unsigned char>(low | 0x80));
            return;
        case TCharset::Katakana:
            if (!edge && low <= 0x5F)
                m_out.Cp932(std::string(1, static_cast<char>(low | 0x80)));
            else
                m_out.Utf8("?");
            return;
        case TCharset::Jis0208:
        case TCharset::OtherDouble: {
            const unsigned char second = Byte(m_pos) & 0x7F;
            const bool sameHalf = (Byte(m_pos) & 0x80) == (Byte(start) & 0x80);
            if (m_pos >= m_text.size() || !sameHalf || second < 0x21 || second > 0x7E) {
                m_out.Utf8("?");
                return;
            }
            ++m_pos;
            if (set == TCharset::Jis0208 && low <= 0x74)
                m_out.Cp932(JisToSjis(low, second));
            else
                m_out.Utf8("?");
            return;
        }
        case TCharset::Other94:
        case TCharset::Other96:
            m_out.Utf8("?");
            return;
        }
    }

    void Escape() {
        const unsigned char i1 = Byte(m_pos + 1);
        const unsigned char i2 = Byte(m_pos + 2);
        const unsigned char i3 = Byte(m_pos + 3);
        if (i1 == '(' || i1 == ')') {
            (i1 == '(' ? m_gl : m_gr) = Single94(i2);
            m_pos += 3;
        } else if (i1 == '-') {
            m_gr = i2 == 'A' ? TCharset::Latin1 : TCharset::Other96;
            m_pos += 3;
        } else if (i1 == '$' && (i2 == '(' || i2 == ')')) {
            (i2 == '(' ? m_gl : m_gr) = Double94(i3);
            m_pos += 4;
        } else if (i1 == '$' && (i2 == '@' || i2 == 'A' || i2 == 'B')) {
            m_gl = Double94(i2);
            m_pos += 3;
        } else if (i1 == '%' && i2 == 'G') {
            Utf8Segment();
        } else if (i1 == '%' && i2 == '/') {
            ExtendedSegment();
        } else {
            SkipEscape();
        }
    }

    static TCharset Single94(unsigned char final) {
        if (final == 'B' || final == 'J')
            return TCharset::Ascii; // JIS X 0201 Roman differs in two rarely used places
        return final == 'I' ? TCharset::Katakana : TCharset::Other94;
    }
    static TCharset Double94(unsigned char final) {
        return final == 'B' || final == '@' ? TCharset::Jis0208 : TCharset::OtherDouble;
    }

    // ESC % G ... ESC % @: UTF-8 text.
    void Utf8Segment() {
        m_pos += 3;
        const size_t end = m_text.find("\x1b%@", m_pos);
        const size_t stop = end == std::string_view::npos ? m_text.size() : end;
        m_out.Utf8(m_text.substr(m_pos, stop - m_pos));
        m_pos = end == std::string_view::npos ? stop : end + 3;
    }

    // ESC % / F M L followed by (M-128)*128+(L-128) bytes in a set that only
    // its name tells: one unknown character.
    void ExtendedSegment() {
        const size_t length =
            static_cast<size_t>(Byte(m_pos + 4) & 0x7F) * 128 + (Byte(m_pos + 5) & 0x7F);
        m_pos = std::min(m_text.size(), m_pos + 6 + length);
        m_out.Utf8("?");
    }

    // An escape sequence of no meaning here: intermediates, then the final byte.
    void SkipEscape() { SkipSequence(0x2F); }

    // A direction control: parameters and intermediates, then the final byte.
    void SkipControlSequence() { SkipSequence(0x3F); }

    // The introducing byte, the bytes from 0x20 up to last, and the final byte.
    void SkipSequence(unsigned char last) {
        ++m_pos;
        while (m_pos < m_text.size() && Byte(m_pos) >= 0x20 && Byte(m_pos) <= last)
            ++m_pos;
        if (m_pos < m_text.size())
            ++m_pos;
    }

    std::string_view m_text;
    size_t m_pos = 0;
    TCharset m_gl = TCharset::Ascii;
    TCharset m_gr = TCharset::Latin1;
    TTitleBuilder m_out;
};

std::string Latin1Title(std::string_view bytes) {
    TTitleBuilder out;
    for (char c : bytes)
        out.Latin1(static_cast<unsigned char>(c));
    return out.Take();
}

} // namespace

std::string WindowTitleText(TTitleEncoding encoding, std::string_view bytes) {
    std::string title;
    switch (encoding) {
    case TTitleEncoding::Utf8:
        title = Utf8ToCp932(bytes);
        break;
    case TTitleEncoding::Latin1:
        title = Latin1Title(bytes);
        break;
    case TTitleEncoding::CompoundText:
        title = TCompoundTextReader(bytes).Read();
        break;
    }
    return CutCp932(title, MaxTitleBytes);
}

} // namespace zanpel
