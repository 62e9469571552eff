// Settings file reader and writer: any bytes load without harm, and what a
// save writes reads back as the same settings, keeps every line that is not
// ours, is in order, and saves again to the same bytes.
#include "fuzzcheck.h"
#include "records/textcompare.h"
#include "settings/initfile.h"
#include "settings/initparam.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using namespace zanpel;

namespace {

std::vector<std::string> Keys() {
    std::vector<std::string> keys;
    for (const SettingEntry& entry : TInitParam().Entries())
        keys.emplace_back(entry.Key);
    return keys;
}

// The key of ours that line sets, or empty.
std::string_view OurKey(std::string_view line) {
    static const std::vector<std::string> keys = Keys();
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return {};
    for (const std::string& key : keys)
        if (SameTextIgnoreCase(line.substr(0, equals), key))
            return key;
    return {};
}

std::vector<std::string> ForeignLines(const StringList& lines) {
    std::vector<std::string> foreign;
    for (const std::string& line : lines)
        if (OurKey(line).empty())
            foreign.push_back(line);
    std::sort(foreign.begin(), foreign.end());
    return foreign;
}

std::vector<std::string> Flatten(const TInitParam& param) {
    std::vector<std::string> out;
    for (const SettingEntry& entry : param.Entries())
        out.push_back(std::string(entry.Key) + "=" + entry.Value);
    return out;
}

// What Save writes over a file holding text.
std::string Saved(std::string_view text, const TInitParam& param, TInitFile& file) {
    file.SetText(text);
    param.WriteTo(file);
    file.Sort();
    return file.Text();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    TInitFile original;
    original.SetText(text);
    TInitParam first;
    first.ReadFrom(original);

    TInitFile saved;
    const std::string written = Saved(text, first, saved);
    TInitFile reread;
    reread.SetText(written);
    FUZZ_CHECK(reread.Lines() == saved.Lines());
    TInitParam second;
    second.ReadFrom(reread);
    // An empty text is not written, so it reads back as its default; of the
    // texts only BASEWORK has a default that is not empty.
    TInitParam expected = first;
    if (expected.BaseWork.empty())
        expected.BaseWork = "7.0 H";
    FUZZ_CHECK(Flatten(second) == Flatten(expected));

    FUZZ_CHECK(ForeignLines(saved.Lines()) == ForeignLines(original.Lines()));
    const StringList& lines = saved.Lines();
    for (size_t i = 1; i < lines.size(); ++i) {
        const std::string_view key = OurKey(lines[i]);
        FUZZ_CHECK(CompareTextIgnoreCase(lines[i - 1], lines[i]) <= 0 ||
                   (!key.empty() && OurKey(lines[i - 1]) == key));
    }

    // Saving what was saved changes nothing; after an empty BASEWORK the
    // second save adds its default, and from then on nothing changes.
    TInitFile again;
    const std::string rewritten = Saved(written, second, again);
    if (first.BaseWork.empty()) {
        TInitParam third;
        third.ReadFrom(again);
        FUZZ_CHECK(Flatten(third) == Flatten(second));
        TInitFile last;
        FUZZ_CHECK(Saved(rewritten, third, last) == rewritten);
    } else {
        FUZZ_CHECK(rewritten == written);
    }
    return 0;
}
