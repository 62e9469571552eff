#include "reports/summarypane.h"

#include "records/atomicfile.h"

#include <filesystem>
#include <system_error>

namespace zanpel {
namespace {

constexpr std::string_view ChartWord = "chart";
constexpr std::string_view TablesWord = "tables";

std::string PanePath(const std::string& folder) {
    return (std::filesystem::path(folder) / SummaryPaneFile).string();
}

} // namespace

TSummaryPane ReadSummaryPane(const std::string& folder) {
    std::string contents, error;
    if (folder.empty() || !ReadWholeFile(PanePath(folder), contents, error))
        return TSummaryPane::Tables;
    return contents.substr(0, contents.find_first_of("\r\n")) == ChartWord ? TSummaryPane::Chart
                                                                           : TSummaryPane::Tables;
}

std::string WriteSummaryPane(const std::string& folder, TSummaryPane pane, AtomicWriter& writer) {
    if (folder.empty())
        return {};
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
        return folder + ": " + error.message();
    const std::string_view word = pane == TSummaryPane::Chart ? ChartWord : TablesWord;
    return writer.Replace(PanePath(folder), std::string(word) + "\r\n");
}

} // namespace zanpel
