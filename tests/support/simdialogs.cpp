// The simulation's answers to the bar's dialogs: while one is open the user
// goes on (time passes, items switch, the machine sleeps), then confirms with
// changes or cancels.
#include "records/names.h"
#include "records/textcodec.h"
#include "reports/timeeditmodel.h"
#include "simulation.h"

namespace zanpel::test {
namespace {

std::string SomeCategory(uint32_t pick) {
    static const char* const categories[] = {"", "基本", "詳細", "打合せ"};
    return Utf8ToCp932(categories[pick % 4]);
}

} // namespace

std::optional<TMemoResult> TSimulation::AskMemo(const TMemoRequest& request) {
    Note("memo dialog");
    ++m_depth;
    MeanwhileInADialog();
    --m_depth;
    if (Chance(3))
        return std::nullopt;
    return TMemoResult{SomeCategory(Pick(4)), Utf8ToCp932("メモ"), request.Categories};
}

std::optional<TRecordEditResult> TSimulation::EditRecord(const TRecordEditRequest& request) {
    TTimeEditModel model(request, m_clock);
    ++m_depth;
    for (int round = 0; round < 2; ++round) {
        for (uint32_t n = Pick(3); n > 0; --n) {
            const int rows = static_cast<int>(model.EditRecord.Periods.size());
            switch (Pick(3)) {
            case 0:
                if (rows > 0)
                    model.ApplyMemo(
                        {static_cast<int>(Pick(static_cast<uint32_t>(rows)))},
                        {SomeCategory(Pick(4)), Utf8ToCp932("メモ"), Chance(2), model.Categories});
                break;
            case 1:
                if (rows > 0)
                    model.DeleteRow(static_cast<int>(Pick(static_cast<uint32_t>(rows))));
                break;
            default: {
                const int now = NowSeconds(m_clock) / 60;
                const int begin = static_cast<int>(Pick(static_cast<uint32_t>(now) + 1));
                model.AddPeriod(
                    {begin, begin + 1 + static_cast<int>(Pick(120)), SomeCategory(Pick(4)), {}});
                break;
            }
            }
        }
        if (round == 0)
            MeanwhileInADialog();
    }
    --m_depth;
    if (Chance(4))
        return std::nullopt;
    model.SetMemo(Utf8ToCp932(Chance(2) ? " 標準 " : ""));
    return model.Result();
}

std::optional<TSetupResult> TSimulation::ShowSetup(const TSetupInput& input) {
    // The dialog edits a copy made when it opens.
    TSetupResult result{*input.Definitions, input.Options, std::nullopt};
    ++m_depth;
    MeanwhileInADialog();
    --m_depth;
    if (Chance(5))
        return std::nullopt;
    TSetupOptions& options = result.Options;
    if (Chance(2))
        options.AutoRestSwitch = !options.AutoRestSwitch;
    if (Chance(3)) {
        TInitParam random;
        RandomSettings(random);
        options.RestTimes = random.RestTimes;
        options.MergeLimit = random.MergeSeconds;
        options.NoCount = random.NoCountSeconds;
        options.ContinueCategory = random.ContinueCategory;
    }
    TAppSwitch& definitions = result.Definitions;
    if (Chance(4) && definitions.Count() > 0) {
        const int index = static_cast<int>(Pick(static_cast<uint32_t>(definitions.Count())));
        if (definitions.Items(index).Name != RestName()) // the dialog cannot delete it
            definitions.Delete(index);
    }
    if (Chance(2))
        for (const char* name : {"設計", "会議", "試験"})
            if (definitions.IndexOf(Utf8ToCp932(name)) < 0)
                definitions.AddEntry(TAppList{Utf8ToCp932(name), {}, {}, false, {}});
    return result;
}

void TSimulation::MeanwhileInADialog() {
    if (m_depth > 1)
        return;
    for (uint32_t n = Pick(4); n > 0 && m_result.Problems.empty(); --n) {
        switch (Pick(6)) {
        case 0:
            PressSome();
            break;
        case 1:
            SleepMachine();
            break;
        case 2:
            TowardsMidnight();
            PassTime(1 + Pick(300));
            break;
        case 3:
            SwitchByApplication();
            break;
        default:
            PassTime(1 + Pick(2 * 3600));
            break;
        }
        Tick();
    }
}

} // namespace zanpel::test
