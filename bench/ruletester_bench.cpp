// The settings dialog's rule tester on 50 definitions of 5 rules each: the
// work of one keystroke. In the tester's fields: the explanation and its
// words. In the rule field: the definitions as edited, the marks of the rule
// lines, where each of 40 history lines goes, and the result again.
#include "records/textcodec.h"
#include "sampledata.h"
#include "settings/ruletester.h"
#include "settings/workitemeditor.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace zanpel {
namespace {

using bench::FiftyDefinitions;
using bench::Window;

const Window Windows[] = {
    {"browser.exe", "Zanpel - 作業記録 - Mozilla Firefox"}, // nothing: every rule told
    {"office.exe", "見積49_改訂版.xlsx"},                   // the fifth ("*見積4*.xlsx")
    {"editor.exe", "案件25 仕様書.txt - エディタ"},         // the third ("案件2" is in it)
};

void BM_TesterKeystroke(benchmark::State& state) {
    const TAppSwitch list = FiftyDefinitions();
    const Window& w = Windows[state.range(0)];
    const std::string title = Utf8ToCp932(w.Title);
    for (auto _ : state)
        benchmark::DoNotOptimize(TesterResultText(list, w.Exe, title, true));
    state.SetLabel(TesterResultText(list, w.Exe, title, true).substr(0, 60));
}
BENCHMARK(BM_TesterKeystroke)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

std::vector<std::string> History() {
    std::vector<std::string> history;
    for (int i = 0; i < 40; ++i)
        history.push_back(Utf8ToCp932("tool" + std::to_string(i) + ".exe/案件" + std::to_string(i) +
                                      "の資料 - ツール"));
    return history;
}

void BM_RuleFieldKeystroke(benchmark::State& state) {
    TWorkItemEditor editor(FiftyDefinitions());
    editor.Select(25);
    const std::vector<std::string> history = History();
    const std::string title = Utf8ToCp932(Windows[2].Title);
    for (auto _ : state) {
        const TAppSwitch edited = editor.DefinitionsWith(editor.Fields);
        for (const std::string& line : FieldLines(editor.Fields.Rules))
            benchmark::DoNotOptimize(RuleLineFault(line));
        for (const std::string& line : history)
            benchmark::DoNotOptimize(SeenAppTarget(edited, line));
        benchmark::DoNotOptimize(TesterResultText(edited, "editor.exe", title, true));
    }
}
BENCHMARK(BM_RuleFieldKeystroke)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace zanpel
