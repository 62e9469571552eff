// zanpelctl check: read every month file, the definition file and the settings
// file of the folder.
#include "app/datafolder.h"
#include "cli/context.h"
#include "cli/definitions.h"
#include "records/atomicfile.h"
#include "settings/initparam.h"
#include "worklist/datalist.h"

#include <dirent.h>

#include <algorithm>
#include <ostream>
#include <vector>

namespace zanpel::cli {
namespace {

// Month files are named YYYYMM.dat.
std::vector<YearMonth> MonthFilesIn(const std::string& folder) {
    std::vector<YearMonth> months;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return months;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() != 10 || name.compare(6, 4, ".dat") != 0)
            continue;
        if (const auto ym = ParseYearMonth(name.substr(0, 6)))
            months.push_back(*ym);
    }
    ::closedir(dir);
    std::sort(months.begin(), months.end());
    return months;
}

} // namespace

int RunCheck(const CliArgs& args, const Context& ctx) {
    if (!ctx.TakesNothing(args, "check"))
        return ExitUsage;
    if (!ctx.HasDataFolder())
        return ExitFileError;
    int checked = 0;
    int failed = 0;
    for (const YearMonth ym : MonthFilesIn(ctx.DataDir)) {
        bool loaded = false;
        ctx.OpenMonth(ym, false, loaded);
        ++checked;
        failed += loaded ? 0 : 1;
    }
    if (FileExists(ctx.DataDir + "/" + DefinitionFileName)) {
        ++checked;
        TAppSwitch definitions;
        failed += LoadDefinitionsReadOnly(ctx, definitions) ? 0 : 1;
    }
    if (FileExists(ctx.DataDir + "/" + SettingsFileName)) {
        ++checked;
        TInitParam settings;
        failed += ctx.ReadSettings(settings) ? 0 : 1;
    }
    ctx.Out << checked << " 個のファイルを確認しました。エラー: " << failed << "\n";
    return failed == 0 ? ExitOk : ExitFileError;
}

} // namespace zanpel::cli
