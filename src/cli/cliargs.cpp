#include "cli/cliargs.h"

#include <cstdio>

namespace zanpel::cli {
namespace {

bool AllDigits(const std::string& s) {
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return !s.empty();
}

} // namespace

bool IsSwitchOption(const std::string& name) {
    // The content choices of report, as the report dialog's check boxes.
    for (const char* known : {"memo", "categories", "period-memos", "subtotals", "by-date"})
        if (name == known)
            return true;
    return false;
}

std::string CliArgs::Option(const std::string& name, const std::string& fallback) const {
    for (const auto& [key, value] : Options)
        if (key == name)
            return value;
    return fallback;
}

bool CliArgs::Has(const std::string& name) const {
    for (const auto& option : Options)
        if (option.first == name)
            return true;
    return false;
}

CliArgs ParseCliArgs(const std::vector<std::string>& argv) {
    CliArgs args;
    for (size_t i = 0; i < argv.size(); ++i) {
        const std::string& arg = argv[i];
        // Asking for help or the version needs nothing else and wins over all;
        // a command's own help is the help of that command.
        if (arg == "--help" || arg == "--version") {
            CliArgs plain;
            plain.Command = arg.substr(2);
            if (arg == "--help" && !args.Command.empty())
                plain.Arguments.push_back(args.Command);
            return plain;
        }
        if (arg.size() > 2 && arg.compare(0, 2, "--") == 0 && !args.Command.empty() &&
            IsSwitchOption(arg.substr(2))) {
            args.Options.emplace_back(arg.substr(2), "1");
        } else if (arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
            if (i + 1 >= argv.size()) {
                args.Error = arg + " には値が必要です";
                return args;
            }
            const std::string& value = argv[++i];
            if (arg == "--data-dir") {
                args.DataDir = value;
            } else if (arg == "--now") {
                args.FixedNow = ParseNowOption(value);
                if (!args.FixedNow) {
                    args.Error =
                        "--now は \"YYYY-MM-DD hh:mm:ss\" の形で指定してください: " + value;
                    return args;
                }
            } else if (args.Command.empty()) {
                args.Error = "不明なオプションです: " + arg;
                return args;
            } else {
                args.Options.emplace_back(arg.substr(2), value);
            }
        } else if (args.Command.empty()) {
            args.Command = arg;
        } else {
            args.Arguments.push_back(arg);
        }
    }
    if (args.Command.empty() && args.Error.empty())
        args.Error = "コマンドがありません";
    return args;
}

std::optional<TDateTime> ParseNowOption(const std::string& text) {
    return ParseDateTime(text);
}

std::optional<int> ParseWholeNumber(const std::string& text) {
    if (text.empty() || text.size() > 6 || !AllDigits(text))
        return std::nullopt;
    return std::stoi(text);
}

std::optional<YearMonth> ParseYearMonth(const std::string& text) {
    if (text.size() != 6 || !AllDigits(text))
        return std::nullopt;
    const YearMonth ym{std::stoi(text.substr(0, 4)), std::stoi(text.substr(4, 2))};
    if (ym.Year < 1900 || ym.Month < 1 || ym.Month > 12)
        return std::nullopt;
    return ym;
}

} // namespace zanpel::cli
