// Our KWin script, run in Qt's JavaScript engine (the engine KWin runs its
// scripts in) against a stand-in for KWin's workspace: whatever the user
// does with the windows, the bar's last word is the active window, and only
// the active window's caption is followed.
#include "tracking/kwinscript.h"

#include <QJSEngine>

#include <gtest/gtest.h>

#include <random>

namespace zanpel::test {
namespace {

// KWin's globals as the script sees them: signals with connect and
// disconnect (disconnecting what is not connected throws, as in KWin),
// windows, the workspace under KWin 5.27's names or Plasma 6's, and
// callDBus, which keeps its calls.
const char* const Stage = R"js(
function Signal() {
    var handlers = [];
    return {
        connect: function (f) { handlers.push(f); },
        disconnect: function (f) {
            var at = handlers.indexOf(f);
            if (at < 0)
                throw new TypeError("not connected");
            handlers.splice(at, 1);
        },
        emit: function (value) { handlers.slice().forEach(function (f) { f(value); }); },
        count: function () { return handlers.length; }
    };
}
var windows = [];
for (var n = 0; n < 4; ++n)
    windows.push({resourceClass: "app" + n, caption: "caption " + n, pid: 100 + n,
                  captionChanged: Signal()});
var calls = [];
function callDBus() { calls.push(Array.prototype.slice.call(arguments)); }
var workspace = plasma6 ? {windowActivated: Signal(), activeWindow: windows[0]}
                        : {clientActivated: Signal(), activeClient: windows[0]};
function activate(w) {
    if (plasma6) {
        workspace.activeWindow = w;
        workspace.windowActivated.emit(w);
    } else {
        workspace.activeClient = w;
        workspace.clientActivated.emit(w);
    }
}
function active() { return plasma6 ? workspace.activeWindow : workspace.activeClient; }
function lastCall() { return JSON.stringify(calls[calls.length - 1]); }
function expected() {
    var w = active();
    return JSON.stringify([":1.42", "/org/example/zanpel/KWin", "org.example.zanpel.KWin",
                           "WindowActivated", w ? w.resourceClass : "", w ? w.caption : "",
                           w ? w.pid : 0]);
}
function followers() {
    return windows.map(function (w) { return w.captionChanged.count(); }).join(",");
}
)js";

class KWinScript : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        engine.globalObject().setProperty("plasma6", GetParam());
        ASSERT_FALSE(engine.evaluate(Stage).isError());
        const QJSValue loaded =
            engine.evaluate(QString::fromStdString(KWinScriptText(":1.42")), "kwinscript.js");
        ASSERT_FALSE(loaded.isError()) << loaded.toString().toStdString();
    }
    std::string Run(const std::string& code) {
        const QJSValue value = engine.evaluate(QString::fromStdString(code));
        EXPECT_FALSE(value.isError()) << code << ": " << value.toString().toStdString();
        return value.toString().toStdString();
    }
    int Calls() { return std::stoi(Run("calls.length")); }

    QJSEngine engine;
};

TEST_P(KWinScript, TellsTheActiveWindowAtLoadAndAfterEveryChangeOfIt) {
    EXPECT_EQ(Calls(), 1);
    EXPECT_EQ(Run("lastCall()"), Run("expected()"));
    std::mt19937 random(7);
    for (int step = 0; step < 400; ++step) {
        const int before = Calls();
        const int window = static_cast<int>(random() % 5); // 4: none
        const std::string target = window == 4 ? "null" : "windows[" + std::to_string(window) + "]";
        const bool followed = Run("active() === " + target) == "true";
        if (random() % 2 == 0) {
            Run("activate(" + target + ")");
            EXPECT_EQ(Calls(), before + 1) << step;
        } else if (window != 4) {
            Run(target + ".caption = 'caption " + std::to_string(window) + "." +
                std::to_string(step) + "'; " + target + ".captionChanged.emit()");
            // Another window's caption is none of the bar's business.
            EXPECT_EQ(Calls(), before + (followed ? 1 : 0)) << step;
        }
        ASSERT_EQ(Run("lastCall()"), Run("expected()")) << step;
        // Only the active window is followed, and only once.
        const std::string followers = Run("followers()");
        for (int w = 0; w < 4; ++w)
            EXPECT_EQ(followers[2 * w],
                      Run("active() === windows[" + std::to_string(w) + "]") == "true" ? '1' : '0')
                << step << ": " << followers;
    }
}

TEST_P(KWinScript, OutlivesAWindowThatIsGoneAndWhatKWinDoesNotKnow) {
    // A closed window that was followed can no longer be left.
    Run("windows[0].captionChanged.disconnect = function () { throw new TypeError('gone'); }");
    Run("activate(windows[1])");
    EXPECT_EQ(Run("lastCall()"), Run("expected()"));
    // No process (KWin's -1), no class.
    Run("windows[2].pid = -1; windows[2].resourceClass = undefined; activate(windows[2])");
    EXPECT_EQ(Run("JSON.stringify(calls[calls.length - 1].slice(4))"), "[\"\",\"caption 2\",0]");
}

INSTANTIATE_TEST_SUITE_P(KWin527AndPlasma6, KWinScript, ::testing::Bool());

TEST(KWinScriptText, CallsOnlyAUniqueBusName) {
    EXPECT_NE(KWinScriptText(":1.42"), "");
    EXPECT_NE(KWinScriptText(":1.5-x_y"), "");
    // Anything else could change the script it is written into.
    for (const char* name : {"", ":", ":1", ":1.", ":.1", ":1..2", "org.example.zanpel",
                             ":1.2\"); workspace.activeClient = null; (\"", ":1.2\\", ":1.2\n"})
        EXPECT_EQ(KWinScriptText(name), "") << name;
}

} // namespace
} // namespace zanpel::test
