// The definition file: one definition line per work item, CP932, CR LF.
#include "records/atomicfile.h"
#include "records/csvfile.h"
#include "records/names.h"
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
    while (reader.Next(line))
        ParseLine(line);
    if (IndexOf(RestName()) < 0)
        ParseLine("@" + RestName() + ",,");
    return true;
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
