// Command line of zanpelctl: global options, the command and its arguments.
#pragma once

#include "records/timevalues.h"

#include <optional>
#include <string>
#include <vector>

namespace zanpel::cli {

struct CliArgs {
    std::string DataDir;               // empty: the program's data folder
    std::optional<TDateTime> FixedNow; // --now
    std::string Command;
    std::vector<std::string> Arguments; // positional arguments after the command
    std::vector<std::pair<std::string, std::string>> Options; // --name value after the command
    std::string Error;                                        // set when the command line is wrong

    // Value of a command option, or fallback.
    std::string Option(const std::string& name, const std::string& fallback = {}) const;
    bool Has(const std::string& name) const;
};

// Command options that stand alone, without a value (their value is "1").
bool IsSwitchOption(const std::string& name);

// Options take a value, except the switches; the ones a command does not
// know are refused by it.
CliArgs ParseCliArgs(const std::vector<std::string>& argv);

// "YYYY-MM-DD hh:mm:ss" as a local date-time value.
std::optional<TDateTime> ParseNowOption(const std::string& text);

struct YearMonth {
    int Year = 0;
    int Month = 0;
    auto operator<=>(const YearMonth&) const = default;
    YearMonth Next() const {
        return Month == 12 ? YearMonth{Year + 1, 1} : YearMonth{Year, Month + 1};
    }
};
// A whole number written with digits only (six at most); none for any
// other text.
std::optional<int> ParseWholeNumber(const std::string& text);

// "YYYYMM"
std::optional<YearMonth> ParseYearMonth(const std::string& text);

} // namespace zanpel::cli
