// The definition file: one definition line per work item, CP932, CR LF.
#include "records/atomicfile.h"
#include "records/csvfile.h"
#include "records/names.h"
#include "records/textcodec.h"
#include "tracking/appswitch.h"

namespace zanpel {

bool TAppSwitch::LoadFromFile(const std::string& path, std::string& error) {
    if (!FileExists(path))
        return true;
    std::string contents;
    if (!ReadWholeFile(path, contents, error))
        return false;
    Clear();
    LineReader reader(contents);
    std::string_view line;
    std::vector<ReadLine> read;
    for (int number = 1; reader.Next(line); ++number)
        if (const int index = ParseLine(line); index >= 0 || index == RefusedName)
            read.push_back({number, index, line});
    if (IndexOf(RestName()) < 0)
        ParseLine("@" + RestName() + ",,");
    error = ChangedLines(read);
    return error.empty();
}

// Lines that a save would not write back byte for byte (a backslash before
// no known escape, a name cut at a blank, a definition that a later line of
// the same name replaced) or would drop (a refused name): the file counts as
// not read whole.
std::string TAppSwitch::ChangedLines(const std::vector<ReadLine>& read) const {
    constexpr int MaxListed = 20;
    std::string problems;
    int count = 0;
    for (const ReadLine& line : read) {
        const bool dropped = line.Index == RefusedName;
        if ((!dropped && FormatLine(line.Index) == line.Text) || ++count > MaxListed)
            continue;
        problems += (problems.empty() ? "" : "\r\n") + std::to_string(line.Number) +
                    (dropped ? " 行目: パソコン使用の記録の名前は作業項目にできないため読みません: "
                             : " 行目: 保存すると変わります: ") +
                    Cp932ToUtf8(line.Text);
    }
    if (count > MaxListed)
        problems += "\r\nほか " + std::to_string(count - MaxListed) + " 行";
    return problems;
}

bool TAppSwitch::SaveToFile(const std::string& path, AtomicWriter& writer,
                            std::string& error) const {
    std::string contents;
    for (int i = 0; i < Count(); ++i) {
        contents += FormatLine(i);
        contents += "\r\n";
    }
    error = writer.Replace(path, contents);
    return error.empty();
}

} // namespace zanpel
