// The switch history window with switches of each kind: by rules (one with a
// long browser title), into and out of a rest period, the item of the last
// end at the start, and an item a second start named.
#include "app/switchhistory.h"
#include "app/switchlog.h"
#include "records/textcodec.h"
#include "shotregistry.h"

namespace zanpel::shots {
namespace {

TShot SwitchHistory(TShotContext& context) {
    // The window shows the log it is given; the log lives as long as the run.
    static std::unique_ptr<TSwitchLog> log;
    log = std::make_unique<TSwitchLog>(context.DataFolder + "/state/zanpel");
    const DayNumber day = Today(context.Clock);
    const auto at = [day](int h, int m, int s) { return std::pair{day, h * 3600 + m * 60 + s}; };
    const auto add = [&](std::pair<DayNumber, Seconds> time, TSwitchCause cause, const char* item,
                         int rule, const char* detail, const char* program, const char* title) {
        log->Add({time.first, time.second, cause, Utf8ToCp932(item), rule, Utf8ToCp932(detail),
                  program, Utf8ToCp932(title)});
    };
    add(at(8, 58, 12), TSwitchCause::Resume, "設計", -1, "", "", "");
    add(at(9, 14, 3), TSwitchCause::Rule, "資料作成", 0, "soffice.bin/*報告*", "soffice.bin",
        "月次報告.odt - LibreOffice Writer");
    add(at(10, 2, 47), TSwitchCause::Rule, "会議", 1, "firefox/*定例*", "firefox",
        "【定例】開発チーム週次ミーティング議事録 2005年3月14日 (第12回) — 共有ドキュメント — "
        "Mozilla Firefox");
    add(at(10, 48, 30), TSwitchCause::Rule, "設計", 0, "code/*.cpp*", "code",
        "worktiming.cpp - zanpel - Visual Studio Code");
    add(at(12, 0, 0), TSwitchCause::RestStart, "休憩", -1, "12:00-13:00", "", "");
    add(at(13, 0, 0), TSwitchCause::RestEnd, "設計", -1, "12:00-13:00", "", "");
    add(at(15, 30, 5), TSwitchCause::HandOver, "会議", -1, "", "", "");
    auto window = std::make_unique<TSwitchHistory>(*log);
    TSwitchHistory* shown = window.get();
    return {std::move(window), [shown] { shown->ShowNewest(); }};
}

const TShotRegistrar registrar("switch-history", SwitchHistory);

} // namespace
} // namespace zanpel::shots
