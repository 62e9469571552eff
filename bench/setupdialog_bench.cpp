// The settings dialog opened on 50 definitions of 5 rules each: from the
// command until its first frame is drawn. Run by hand, offscreen or on a
// display (QT_QPA_PLATFORM=xcb with DISPLAY set).
#include "records/clock.h"
#include "sampledata.h"
#include "settings/setupform.h"

#include <QApplication>
#include <QElapsedTimer>

#include <benchmark/benchmark.h>

namespace zanpel {
namespace {

// Notes the first paint of the window it watches.
class TFirstPaint : public QObject {
public:
    bool Seen = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            Seen = true;
        return QObject::eventFilter(watched, event);
    }
};

void BM_OpenSetupDialog(benchmark::State& state) {
    const TAppSwitch definitions = bench::FiftyDefinitions();
    FixedClock clock{EncodeDate(2026, 11, 18), 14 * 3600};
    TSetupInput input;
    input.Definitions = &definitions;
    input.Now = &clock;
    input.Options.RestTimes = "720:780,900:910";
    input.Options.WorkDayBegin = 540;
    input.Options.WorkDayEnd = 1080;
    for (int i = 0; i < 40; ++i)
        input.History.push_back("editor.exe/" + std::to_string(i));
    for (auto _ : state) {
        TSetupForm form(input);
        TFirstPaint painted;
        form.installEventFilter(&painted);
        form.show();
        QElapsedTimer waited;
        waited.start();
        while (!painted.Seen && waited.elapsed() < 5000)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        if (!painted.Seen)
            state.SkipWithError("the dialog was never drawn");
        form.hide();
    }
}
BENCHMARK(BM_OpenSetupDialog)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace zanpel
