// The journal options shared by `zanpelctl journal` and `zanpelctl sync`.
#pragma once

#include "cli/context.h"
#include "tracking/journalsource.h"

#include <optional>

namespace zanpel::cli {

// --file or --directory, at most one of them; the system journal without.
// Prints the usage and answers none when both are given.
std::optional<JournalLocation> LocationOption(const CliArgs& args, const Context& ctx);
// Says why the journal at where could not be opened.
void ReportJournalOpenError(const JournalLocation& where, int error, const Context& ctx);

} // namespace zanpel::cli
