// The text work report: the records of a month as text blocks, one per
// record, with the header line, the record memo, category subtotals and the
// list of periods the flags ask for. This file alone knows the report's layout.
#pragma once

#include "records/timevalues.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace zanpel {

class AtomicWriter;
class TDataList;

struct TReportChoice {
    uint16_t Flags = 0; // ReportFlag bits (settings/initparam.h)
    int Period = 0;     // TReportPeriod; any other value counts as rpMonth
    DayNumber Current = 0;
    DayNumber Begin = 0; // the "から" and "まで" days of the range choice
    DayNumber End = 0;
};

// Why a choice gives no report (UTF-8), empty when it gives one: a range
// whose "から" day comes after its "まで" day.
std::string ReportChoiceProblem(const TReportChoice& choice);

// Sorts month into the report's order and builds the report: CP932 text with
// CR LF after every line; empty when no record falls into the period.
std::string BuildReport(TDataList& month, const TReportChoice& choice);

// Writes text to the file at path: a regular file is replaced atomically, a
// device, a FIFO or the standard output written in place. A file of the data
// folder dataDir (a month file, the lock, a kept copy...) is refused, by
// whatever name it is reached. Answers the error message to show (the file
// and the reason), empty on success.
std::string WriteReportFile(const std::string& path, std::string_view text,
                            const std::string& dataDir, AtomicWriter& writer);

} // namespace zanpel
