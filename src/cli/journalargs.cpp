#include "cli/journalargs.h"

#include "tracking/journalopen.h"

#include <cerrno>
#include <ostream>
#include <string_view>
#include <system_error>

namespace zanpel::cli {

std::optional<JournalLocation> LocationOption(const CliArgs& args, const Context& ctx) {
    const bool file = args.Has("file");
    const bool directory = args.Has("directory");
    if (file && directory) {
        ctx.Usage("--file と --directory は同時に指定できません");
        return std::nullopt;
    }
    if (file)
        return JournalLocation::File(args.Option("file"));
    if (directory)
        return JournalLocation::Directory(args.Option("directory"));
    return JournalLocation::System();
}

void ReportJournalOpenError(const JournalLocation& where, int error, const Context& ctx) {
    if (const std::string_view reason = NoJournalReason(); !reason.empty()) {
        ctx.Err << "zanpelctl: " << reason << "\n";
        return;
    }
    ctx.Err << "zanpelctl: ジャーナルを開けません: "
            << (where.Path.empty() ? "システムジャーナル" : where.Path) << ": "
            << std::generic_category().message(error) << "\n";
    if (where.Type == JournalLocation::Kind::System && error == EACCES)
        ctx.Err
            << "zanpelctl: システムジャーナルは systemd-journal グループのユーザーが読めます。\n";
}

} // namespace zanpel::cli
