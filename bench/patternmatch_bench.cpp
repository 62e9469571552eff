// The pattern matcher against std::regex_search on equivalent patterns, over
// typical window titles. Each iteration asks about every title once; "per_call"
// is the time of one question. The regex is built once, outside the loop, while
// the matcher reads its pattern at every call, as the rules do.
#include "records/patternmatch.h"
#include "records/textcodec.h"

#include <benchmark/benchmark.h>

#include <initializer_list>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

namespace {

using zanpel::Utf8ToCp932;

std::vector<std::string> Titles() {
    const char* utf8[] = {
        "report-2024-12.txt - Notepad",
        "Inbox - user@example.com - Mozilla Thunderbird",
        "main.cpp - zanpel - Visual Studio Code",
        "議事録 2024年12月.txt - メモ帳",
        "12月の予定.xlsx - Excel",
        "プロジェクト計画書（第３版）.docx - Word",
        "無題 - ノート帳",
        "ひらがなのメモ",
    };
    std::vector<std::string> titles;
    for (const char* title : utf8)
        titles.push_back(Utf8ToCp932(title));
    return titles;
}

// CP932 bytes as a regex that matches them literally: second bytes such as 0x5B
// ("[" in ー) or 0x5C ("\" in ソ) must not act as regex syntax.
std::string RegexLiteral(const std::string& cp932) {
    std::string out;
    for (char c : cp932) {
        if (std::string_view("\\^$.|?*+()[]{}-").find(c) != std::string_view::npos)
            out += '\\';
        out += c;
    }
    return out;
}

struct Case {
    std::string Pattern;
    std::string Regex;
    bool Whole; // PatternWhole against a search anchored at both ends
};

// Built by appending: GCC 12 warns (-Wrestrict) on some chains of string "+".
std::string Concat(std::initializer_list<std::string_view> parts) {
    std::string out;
    for (std::string_view part : parts)
        out += part;
    return out;
}

Case MakeCase(int which) {
    switch (which) {
    case 0:
        return {"*.txt", "^.*?\\.txt$", true};
    case 1: {
        const std::string month = Utf8ToCp932("月");
        return {Concat({"\\d+", month}), Concat({"[0-9]+", RegexLiteral(month)}), false};
    }
    case 2:
        return {Utf8ToCp932("(メモ|ノート)帳"),
                Concat({"(", RegexLiteral(Utf8ToCp932("メモ")), "|",
                        RegexLiteral(Utf8ToCp932("ノート")), ")", RegexLiteral(Utf8ToCp932("帳"))}),
                false};
    default:
        // ァ..ヶ are 0x83 0x40..0x96: one lead byte and a range of second bytes
        // (split where a signed char turns negative).
        return {Utf8ToCp932("[ァ-ヶ]+帳"),
                Concat({"(?:\\x83[\\x40-\\x7e\\x80-\\x96])+", RegexLiteral(Utf8ToCp932("帳"))}),
                false};
    }
}

const char* CaseName(int which) {
    const char* names[] = {"star_txt_whole", "digits_month", "group_memo", "class_katakana"};
    return names[which];
}

bool RegexAnswer(const std::regex& re, const std::string& title) {
    return std::regex_search(title, re);
}

bool MatcherAnswer(const Case& c, const std::string& title) {
    return c.Whole ? zanpel::PatternWhole(title, c.Pattern)
                   : zanpel::PatternAnywhere(title, c.Pattern);
}

void SetPerCall(benchmark::State& state, size_t calls) {
    state.counters["per_call"] = benchmark::Counter(static_cast<double>(calls),
                                                    benchmark::Counter::kIsIterationInvariantRate |
                                                        benchmark::Counter::kInvert);
}

// Both answer alike on every title, or the comparison means nothing.
bool Agree(benchmark::State& state, const Case& c, const std::regex& re,
           const std::vector<std::string>& titles) {
    for (const std::string& title : titles) {
        if (MatcherAnswer(c, title) != RegexAnswer(re, title)) {
            state.SkipWithError("matcher and regex disagree");
            return false;
        }
    }
    return true;
}

// Every title asked once per iteration, by the matcher or by the regex.
template <typename Answer> void AskAll(benchmark::State& state, Answer answer) {
    const Case c = MakeCase(static_cast<int>(state.range(0)));
    const std::regex re(c.Regex);
    const std::vector<std::string> titles = Titles();
    state.SetLabel(CaseName(static_cast<int>(state.range(0))));
    if (!Agree(state, c, re, titles))
        return;
    for (auto _ : state)
        for (const std::string& title : titles)
            benchmark::DoNotOptimize(answer(c, re, title));
    SetPerCall(state, titles.size());
}

void BM_Matcher(benchmark::State& state) {
    AskAll(state, [](const Case& c, const std::regex&, const std::string& t) {
        return MatcherAnswer(c, t);
    });
}

void BM_StdRegex(benchmark::State& state) {
    AskAll(state, [](const Case&, const std::regex& re, const std::string& t) {
        return RegexAnswer(re, t);
    });
}

BENCHMARK(BM_Matcher)->DenseRange(0, 3);
BENCHMARK(BM_StdRegex)->DenseRange(0, 3);

} // namespace
