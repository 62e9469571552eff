// zanpelctl check: read every month file, the definition file and the settings
// file of the folder.
#include "app/datafolder.h"
#include "cli/context.h"
#include "cli/definitions.h"
#include "records/atomicfile.h"
#include "records/foldernames.h"
#include "settings/initparam.h"
#include "worklist/datalist.h"

#include <algorithm>
#include <ostream>
#include <vector>

namespace zanpel::cli {
namespace {

// Month files are named YYYYMM.dat (on Windows in any case). False with the
// cause when the folder cannot be listed.
bool MonthFilesIn(const std::string& folder, std::vector<YearMonth>& months, std::string& error) {
    std::vector<std::string> names;
    if (!ListFolder(folder, names, error))
        return false;
    for (const std::string& spelled : names) {
        const std::string name = ComparedFileName(spelled);
        if (name.size() != 10 || name.compare(6, 4, ".dat") != 0)
            continue;
        if (const auto ym = ParseYearMonth(name.substr(0, 6)))
            months.push_back(*ym);
    }
    std::sort(months.begin(), months.end());
    months.erase(std::unique(months.begin(), months.end()), months.end());
    return true;
}

} // namespace

int RunCheck(const CliArgs& args, const Context& ctx) {
    if (!ctx.TakesNothing(args, "check"))
        return ExitUsage;
    if (!ctx.HasDataFolder())
        return ExitFileError;
    int checked = 0;
    int failed = 0;
    std::vector<YearMonth> months;
    std::string error;
    if (!MonthFilesIn(ctx.DataDir, months, error)) {
        ctx.Err << "zanpelctl: 月のファイルを探せません: " << error << "\n";
        ++failed;
    }
    for (const YearMonth ym : months) {
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
