#include "cli/exportformat.h"

#include "records/csvfile.h"
#include "records/textcodec.h"

#include <cstdio>
#include <unordered_map>

namespace zanpel::cli {
namespace {

struct Row {
    std::string Date;
    std::string Item;
    std::string RecordMemo;
    std::string Category;
    std::string PeriodMemo;
    std::string Start;
    std::string End;
    long long Seconds = 0;
    bool ComputerOn = false;
};

std::string IsoDate(DayNumber day) {
    const CivilDate c = DecodeDate(day);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", c.Year, c.Month, c.Day);
    return buf;
}

void AppendCsv(std::string& out, const Row& r) {
    for (const std::string* field :
         {&r.Date, &r.Item, &r.RecordMemo, &r.Category, &r.PeriodMemo, &r.Start, &r.End}) {
        AppendCsvField(out, *field);
        out += ',';
    }
    out += std::to_string(r.Seconds);
    out += r.ComputerOn ? ",true\n" : ",false\n";
}

void AppendJson(std::string& out, const Row& r) {
    const std::pair<const char*, const std::string*> fields[] = {{"date", &r.Date},
                                                                 {"item", &r.Item},
                                                                 {"record_memo", &r.RecordMemo},
                                                                 {"category", &r.Category},
                                                                 {"period_memo", &r.PeriodMemo},
                                                                 {"start", &r.Start},
                                                                 {"end", &r.End}};
    out += '{';
    for (const auto& [key, value] : fields) {
        out += '"';
        out += key;
        out += "\":";
        AppendJsonString(out, *value);
        out += ',';
    }
    out += "\"seconds\":" + std::to_string(r.Seconds);
    out += r.ComputerOn ? ",\"computer_on\":true}\n" : ",\"computer_on\":false}\n";
}

// Names, categories and memos repeat from row to row: each distinct text is
// converted once.
const std::string& ToUtf8(const std::string& cp932) {
    thread_local std::unordered_map<std::string, std::string> converted;
    auto found = converted.find(cp932);
    if (found == converted.end())
        found = converted.emplace(cp932, Cp932ToUtf8(cp932)).first;
    return found->second;
}

} // namespace

void AppendCsvField(std::string& out, std::string_view text) {
    bool quote = false;
    for (char c : text)
        quote = quote || c == ',' || c == '"' || c == '\r' || c == '\n';
    if (quote)
        AppendQuoted(out, text);
    else
        out += text;
}

void AppendJsonString(std::string& out, std::string_view text) {
    out += '"';
    for (char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(c));
                out += buf;
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

void AppendHeader(std::string& out, ExportFormat format) {
    if (format == ExportFormat::Csv)
        out += "date,item,record_memo,category,period_memo,start,end,seconds,computer_on\n";
}

void AppendRecordRows(std::string& out, const TWorkInfo& record, bool login, ExportFormat format) {
    Row row;
    row.Date = IsoDate(record.Date);
    row.Item = ToUtf8(record.Name);
    row.RecordMemo = ToUtf8(record.Memo);
    row.ComputerOn = login;
    for (const TWorkData& period : record.Periods) {
        row.Category = ToUtf8(period.Category);
        row.PeriodMemo = ToUtf8(period.Memo);
        row.Start = FormatDuration(period.StartSec);
        row.End = FormatDuration(period.EndSec);
        row.Seconds = static_cast<long long>(period.EndSec) - period.StartSec;
        if (format == ExportFormat::Csv)
            AppendCsv(out, row);
        else
            AppendJson(out, row);
    }
}

} // namespace zanpel::cli
