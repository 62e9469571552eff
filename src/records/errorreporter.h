// Errors that the user must see travel through this interface; the core never
// opens a window. The GUI shows a message box, the command-line tool prints to
// standard error, tests record what was reported.
#pragma once

#include <string>
#include <vector>

namespace zanpel {

// The fixed message texts (UTF-8); a report is the text, CR LF, and details.
inline constexpr const char* ReadErrorText = "データが読込めません!";
inline constexpr const char* WriteErrorText = "データが書込めません!";

class ErrorReporter {
public:
    virtual ~ErrorReporter() = default;
    // message is UTF-8 with CR LF between its lines.
    virtual void ReportError(const std::string& message) = 0;
};

class NullErrorReporter final : public ErrorReporter {
public:
    void ReportError(const std::string&) override {}
};

// Keeps every report; used by tests and by callers that decide later.
class CollectingErrorReporter final : public ErrorReporter {
public:
    void ReportError(const std::string& message) override { Messages.push_back(message); }
    std::vector<std::string> Messages;
};

} // namespace zanpel
