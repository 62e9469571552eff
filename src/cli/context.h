// What every zanpelctl command works with.
#pragma once

#include "cli/cliargs.h"
#include "records/clock.h"
#include "records/errorreporter.h"

#include <initializer_list>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

namespace zanpel {
class InstanceLock;
class TDataList;
class TInitParam;
} // namespace zanpel

namespace zanpel::cli {

enum ExitCode { ExitOk = 0, ExitFileError = 1, ExitUsage = 2 };

// Prints the system's messages to standard error, one line per line.
class StreamReporter final : public ErrorReporter {
public:
    explicit StreamReporter(std::ostream& err) : m_err(err) {}
    void ReportError(const std::string& message) override;
    int Count() const { return m_count; }

private:
    std::ostream& m_err;
    int m_count = 0;
};

struct Context {
    std::string DataDir;
    const Clock& Now;
    StreamReporter& Reporter;
    std::ostream& Out;
    std::ostream& Err;

    // A work list on the month of ym that never touches the computer-on
    // record. Load errors go to the reporter. Only a list opened for writing
    // keeps a copy of a file it could not read before saving over it.
    std::unique_ptr<TDataList> OpenMonth(YearMonth ym, bool forWriting, bool& loaded) const;
    std::string MonthPath(YearMonth ym) const;
    // Prints a usage error and returns false when args has an option not in allowed.
    bool OnlyOptions(const CliArgs& args, std::initializer_list<const char*> allowed) const;
    // For a command that takes no options and no arguments: prints a usage
    // error and returns false when args has either.
    bool TakesNothing(const CliArgs& args, const std::string& command) const;
    int Usage(const std::string& message) const;
    // The month of the one argument; prints the usage and answers none when
    // there is no such single month.
    std::optional<YearMonth> SingleMonth(const CliArgs& args, const std::string& command) const;
    // The month of the first argument and, when there is a second, the last
    // month of a range (else the same); prints the usage and answers false
    // when the arguments are no such months.
    bool MonthRange(const CliArgs& args, const std::string& command, YearMonth& first,
                    YearMonth& last) const;
    // The settings the bar would use, read from the folder's settings file
    // (never written here); false when the file could not be read.
    bool ReadSettings(TInitParam& settings) const;
    // For a command that reads the data folder: prints that there is none and
    // answers false when the folder does not exist (a mistyped --data-dir
    // would otherwise read as a folder without data).
    bool HasDataFolder() const;
    // Takes the data folder's lock for a command that writes what the bar
    // writes (the bar holds it while it runs); prints why and answers none
    // while a bar runs on this folder, or when the lock cannot be made.
    std::unique_ptr<InstanceLock> LockOutTheBar() const;
};

// Each command returns its exit code.
int RunExport(const CliArgs& args, const Context& ctx);
int RunRewrite(const CliArgs& args, const Context& ctx);
int RunCheck(const CliArgs& args, const Context& ctx);
int RunToday(const CliArgs& args, const Context& ctx);
int RunMatch(const CliArgs& args, const Context& ctx);
int RunRules(const CliArgs& args, const Context& ctx);
int RunSettings(const CliArgs& args, const Context& ctx);
int RunJournal(const CliArgs& args, const Context& ctx);
int RunSync(const CliArgs& args, const Context& ctx);
int RunAutostart(const CliArgs& args, const Context& ctx);
int RunGnomeExtension(const CliArgs& args, const Context& ctx);
int RunSummary(const CliArgs& args, const Context& ctx);
int RunReport(const CliArgs& args, const Context& ctx);
int RunWhy(const CliArgs& args, const Context& ctx);
int RunHelp(const CliArgs& args, const Context& ctx);
int RunVersion(const CliArgs& args, const Context& ctx);

// The usage of every command.
void PrintUsage(std::ostream& out);

} // namespace zanpel::cli
