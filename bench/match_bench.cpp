// Match against 50 definitions of 5 rules each, with typical window titles:
// the work the bar does on every idle pass of its event loop.
#include "records/textcodec.h"
#include "sampledata.h"
#include "tracking/appswitch.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace zanpel {
namespace {

using bench::FiftyDefinitions;

struct Window {
    const char* exe;
    const char* title;
};

const Window Windows[] = {
    {"browser.exe", "Zanpel - 作業記録 - Mozilla Firefox"}, // matches nothing
    {"office.exe", "見積49_改訂版.xlsx - 表計算"},          // the last definition
    {"editor.exe", "案件25 仕様書.txt - エディタ"},         // a middle one
    {"terminal.exe", "user@host: ~/src/zanpel"},            // nothing
};

void BM_Match(benchmark::State& state) {
    TAppSwitch list = FiftyDefinitions();
    std::vector<std::pair<std::string, std::string>> windows;
    for (const Window& w : Windows)
        windows.emplace_back(w.exe, Utf8ToCp932(w.title));
    const auto& [exe, title] = windows[static_cast<size_t>(state.range(0))];
    for (auto _ : state)
        benchmark::DoNotOptimize(list.Match(exe, title));
    state.SetLabel(Windows[state.range(0)].title);
}
BENCHMARK(BM_Match)->DenseRange(0, 3);

} // namespace
} // namespace zanpel
