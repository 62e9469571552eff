#include "sampledata.h"

#include "records/atomicfile.h"
#include "records/names.h"
#include "records/textcodec.h"
#include "worklist/datalist.h"

#include <stdexcept>

namespace zanpel::shots {
namespace {

class ThrowingReporter final : public ErrorReporter {
public:
    void ReportError(const std::string& message) override {
        throw std::runtime_error(Cp932ToUtf8(message));
    }
};

void WriteText(const std::string& path, const std::string& utf8) {
    AtomicWriter writer;
    const std::string cause = writer.Replace(path, Utf8ToCp932(utf8));
    if (!cause.empty())
        throw std::runtime_error(cause);
}

const char* const Definitions = "@会議,定例の打合せ,\"議事録\",\"準備\",@AP1,\"*会議*\",\r\n"
                                "@設計,,\"基本設計\",\"詳細設計\",@AP1,\"*.odt\",\r\n"
                                "@実装,,\"コーディング\",\"テスト\",@AP1,\"code/\",\"*.cpp*\",\r\n"
                                "@レビュー,,\"コードレビュー\",\r\n"
                                "@休憩,,\r\n";

const char* const Settings = "AUTOHIDE=0\r\n"
                             "AUTOSWITCH=0\r\n"
                             "SELECTED=実装\r\n"
                             "RESTTIME=720:780,900:910\r\n"
                             "WORKOFDAY=9:00,18:00\r\n";

struct Step {
    int Minute;       // minutes since midnight
    const char* Name; // nullptr: stop
    const char* Category;
    const char* Memo;
};

// One working day; the weekday number varies the day a little.
std::vector<Step> DaySteps(int variant) {
    const int late = (variant % 3) * 10;
    return {
        {8 * 60 + 50, "会議", "準備", "朝会の準備"},
        {9 * 60 + 30 + late, "設計", "詳細設計", "画面遷移の見直し"},
        {10 * 60 + 40, "会議", "議事録", "設計レビュー"},
        {11 * 60 + 5, "設計", "基本設計", ""},
        {11 * 60 + 35, "レビュー", "コードレビュー", "指摘の確認"},
        {11 * 60 + 45, "設計", "詳細設計", "帳票レイアウト"},
        {12 * 60, "休憩", "", ""},
        {13 * 60, "実装", "コーディング", "集計処理"},
        {15 * 60, "休憩", "", ""},
        {15 * 60 + 10, "レビュー", "コードレビュー", "月次集計の差分"},
        {16 * 60 + late, "実装", "テスト", ""},
        {17 * 60 + 45 + late * 2, nullptr, "", ""},
    };
}

void SetLastPeriod(TDataList& list, DayNumber day, const Step& step) {
    TWorkInfo* record = list.Find(day, Utf8ToCp932(step.Name));
    if (record == nullptr || record->Periods.empty())
        return;
    record->Periods.back().Category = Utf8ToCp932(step.Category);
    record->Periods.back().Memo = Utf8ToCp932(step.Memo);
}

} // namespace

DayNumber SampleToday() {
    return EncodeDate(2026, 11, 18);
}
Seconds SampleNow() {
    return 14 * 3600 + 25 * 60;
}

void WriteSampleData(const std::string& folder, FixedClock& clock, DayNumber today, Seconds now) {
    WriteText(folder + "/zanpel.wk2", Definitions);
    WriteText(folder + "/zanpel.ini", Settings);

    ThrowingReporter reporter;
    TDataList list(clock, reporter);
    list.SetDataDir(folder);
    const CivilDate date = DecodeDate(today);
    for (DayNumber day = EncodeDate(date.Year, date.Month, 1); day <= today; ++day) {
        const int weekday = static_cast<int>((day + 6) % 7); // 0 Sunday
        if ((weekday == 0 || weekday == 6) && day != today)
            continue;
        for (const Step& step : DaySteps(static_cast<int>(day))) {
            if (day == today && step.Minute * 60 > now)
                break;
            clock.Set(day, step.Minute * 60);
            list.ChangeDate(day);
            if (step.Name == nullptr) {
                list.StopWork();
                continue;
            }
            list.StartWork(day, Utf8ToCp932(step.Name));
            SetLastPeriod(list, day, step);
        }
    }
    clock.Set(today, now);
    list.UpdateRunning();
    list.SaveMonth();
}

ErrorReporter& SampleReporter() {
    static ThrowingReporter reporter;
    return reporter;
}

std::unique_ptr<TDataList> LoadSampleList(const std::string& folder, const Clock& clock) {
    auto list = std::make_unique<TDataList>(clock, SampleReporter());
    list->SetDataDir(folder);
    list->LoadDefinitions(folder + "/zanpel.wk2");
    list->ChangeDate(Today(clock));
    list->StopWork();
    return list;
}

} // namespace zanpel::shots
