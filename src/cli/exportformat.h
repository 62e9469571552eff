// Rows of `zanpelctl export`: one per period, as CSV or as JSON lines (UTF-8).
#pragma once

#include "records/workinfo.h"

#include <string>

namespace zanpel::cli {

enum class ExportFormat { Csv, Json };

void AppendHeader(std::string& out, ExportFormat format);
// Appends one row per period of record; login marks the computer-on record.
void AppendRecordRows(std::string& out, const TWorkInfo& record, bool login, ExportFormat format);

// Field quoting of the two formats, exposed for tests.
void AppendCsvField(std::string& out, std::string_view text);
void AppendJsonString(std::string& out, std::string_view text);

} // namespace zanpel::cli
