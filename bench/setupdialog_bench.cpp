// The settings dialog opened on 50 definitions of 5 rules each: from the
// command until its first frame is drawn; and a keystroke in its rule tester
// and in its rule field, until the result line and the marks have followed
// it. Run by hand, offscreen or on a display (QT_QPA_PLATFORM=xcb with
// DISPLAY set).
#include "records/clock.h"
#include "sampledata.h"
#include "settings/setupform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

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

const TAppSwitch& Definitions() {
    static const TAppSwitch definitions = bench::FiftyDefinitions();
    return definitions;
}

TSetupInput Input() {
    static FixedClock clock{EncodeDate(2026, 11, 18), 14 * 3600};
    TSetupInput input;
    input.Definitions = &Definitions();
    input.Now = &clock;
    input.Options.RestTimes = "720:780,900:910";
    input.Options.WorkDayBegin = 540;
    input.Options.WorkDayEnd = 1080;
    input.Options.AppSwitch = true;
    for (int i = 0; i < 40; ++i)
        input.History.push_back("editor.exe/" + std::to_string(i));
    return input;
}

void BM_OpenSetupDialog(benchmark::State& state) {
    const TSetupInput input = Input();
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

// One character typed into the tester's window name and taken back again:
// each is one keystroke, matched against the whole list, with no match.
void BM_TesterKeystroke(benchmark::State& state) {
    TSetupForm form(Input());
    auto* title = form.findChild<QLineEdit*>("TryTitle");
    title->setText(QStringLiteral("Zanpel - 作業記録 - Mozilla Firefox"));
    for (auto _ : state) {
        title->insert(QStringLiteral("x"));
        title->backspace();
    }
    state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK(BM_TesterKeystroke)->Unit(benchmark::kMicrosecond);

// The same in the rule field of the definition in the middle of the list:
// the definitions as edited, the rule lines' marks, the 40 history lines'
// items and the result follow each keystroke.
void BM_RuleFieldKeystroke(benchmark::State& state) {
    TSetupForm form(Input());
    form.findChild<QListWidget*>("WorkListBox")->setCurrentRow(25);
    auto* rules = form.findChild<QPlainTextEdit*>("AppList");
    rules->moveCursor(QTextCursor::End);
    for (auto _ : state) {
        rules->insertPlainText(QStringLiteral("x"));
        rules->textCursor().deletePreviousChar();
    }
    state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK(BM_RuleFieldKeystroke)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace zanpel
