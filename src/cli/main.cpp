// zanpelctl: the headless companion of the bar, for scripts and data checks.
#include "app/datafolder.h"
#include "cli/cliargs.h"
#include "cli/context.h"
#include "cli/standardstreams.h"
#include "cli/timezone.h"

#include <cerrno>
#include <clocale>
#include <cstring>
#include <iostream>
#include <map>

int main(int argc, char** argv) {
    using namespace zanpel;
    using namespace zanpel::cli;
    std::ios::sync_with_stdio(false);
    PrepareStandardStreams();
    UseTimeZoneTheRuntimeReads();
    std::setlocale(LC_CTYPE, ""); // arguments arrive in the locale's encoding

    const CliArgs args = ParseCliArgs(std::vector<std::string>(argv + 1, argv + argc));
    SystemClock systemClock;
    FixedClock fixedClock;
    if (args.FixedNow) {
        const TDateTime now = *args.FixedNow;
        fixedClock.Set(WholeDays(now), SecondsOfDay(now));
    }
    StreamReporter reporter(std::cerr);
    const Context ctx{args.DataDir.empty() ? DataFolderOfProgram() : args.DataDir,
                      args.FixedNow ? static_cast<const Clock&>(fixedClock) : systemClock, reporter,
                      std::cout, std::cerr};
    if (!args.Error.empty())
        return ctx.Usage(args.Error);

    const std::map<std::string, int (*)(const CliArgs&, const Context&)> commands = {
        {"export", RunExport},       {"rewrite", RunRewrite},
        {"check", RunCheck},         {"today", RunToday},
        {"match", RunMatch},         {"why", RunWhy},
        {"rules", RunRules},         {"settings", RunSettings},
        {"journal", RunJournal},     {"sync", RunSync},
        {"summary", RunSummary},     {"report", RunReport},
        {"help", RunHelp},           {"version", RunVersion},
        {"autostart", RunAutostart}, {"gnome-extension", RunGnomeExtension}};
    const auto command = commands.find(args.Command);
    if (command == commands.end())
        return ctx.Usage("不明なコマンドです: " + args.Command);
    const int code = command->second(args, ctx);
    // A full disk or a closed pipe must not look like success to a script.
    if (std::cout) {
        errno = 0;
        std::cout.flush();
    }
    if (!std::cout) {
        const int error = errno;
        std::cerr << "zanpelctl: 標準出力に書込めません: "
                  << (error != 0 ? std::strerror(error) : "書込みエラー") << "\n";
        return ExitFileError;
    }
    return code;
}
