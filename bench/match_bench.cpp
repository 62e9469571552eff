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
using bench::Window;

const Window Windows[] = {
    {"browser.exe", "Zanpel - 作業記録 - Mozilla Firefox"}, // matches nothing
    {"office.exe", "見積49_改訂版.xlsx - 表計算"},          // nothing: "*.xlsx" must end the title
    {"editor.exe", "案件25 仕様書.txt - エディタ"},         // the third ("案件2" is in it)
    {"terminal.exe", "user@host: ~/src/zanpel"},            // nothing
};

void BM_Match(benchmark::State& state) {
    TAppSwitch list = FiftyDefinitions();
    std::vector<std::pair<std::string, std::string>> windows;
    for (const Window& w : Windows)
        windows.emplace_back(w.Exe, Utf8ToCp932(w.Title));
    const auto& [exe, title] = windows[static_cast<size_t>(state.range(0))];
    for (auto _ : state)
        benchmark::DoNotOptimize(list.Match(exe, title));
    state.SetLabel(Windows[state.range(0)].Title);
}
BENCHMARK(BM_Match)->DenseRange(0, 3);

} // namespace
} // namespace zanpel
