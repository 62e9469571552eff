// The simulation's spells away from the machine: the idle source's events as
// the user leaves and returns (through a locked screen or not, over a sleep,
// a rest period or a night), and the question's answers, checked against the
// time they move.
#include "app/awayanswers.h"
#include "records/names.h"
#include "records/textcodec.h"
#include "simulation.h"

namespace zanpel::test {

void TSimulation::GoAway() {
    const int64_t threshold = int64_t{m_settings.AwayMinutes} * 60;
    static const int64_t ranges[][2] = {{10, 120}, {120, 3600}, {3600, 16 * 3600}};
    const auto& range = ranges[Pick(3)];
    const int64_t seconds = range[0] + Pick(static_cast<uint32_t>(range[1] - range[0]));
    const bool locked = Chance(3);
    Note("away " + std::to_string(seconds) + " s" + (locked ? " locked" : ""));
    if (locked)
        m_away.Locked(true);
    PassTime(std::min(seconds, threshold));
    if (seconds >= threshold)
        m_away.Idle(std::chrono::seconds(threshold));
    if (Chance(5)) { // the machine sleeps in the spell
        m_clock.Sleep(61 + Pick(3 * 3600));
        Tick();
    }
    if (seconds > threshold)
        PassTime(seconds - threshold);
    const std::optional<TAwayQuestion> question = locked ? m_away.Locked(false) : m_away.Active();
    if (question)
        Note("asked about " + std::to_string(question->Seconds) + " s of " +
             Cp932ToUtf8(question->Item));
    if (question && Chance(2))
        AnswerAway();
}

void TSimulation::AnswerAway() {
    TAwayQuestion question = *m_away.OpenQuestion();
    m_away.Answered();
    const uint32_t answer = Pick(3);
    if (answer == 0)
        return Note("away answered: as work");
    const std::string item =
        answer == 1 ? RestName()
                    : m_buttons.Buttons(static_cast<int>(Pick(m_buttons.ButtonCount()))).Name;
    Note("away answered: " + Cp932ToUtf8(item));
    // Left months are counted as they are now: the answer may change them.
    Rebaseline();
    const int64_t before = Booked();
    // The records may have changed since the question was asked: the answer
    // moves what lies in the spell now.
    question.Seconds = AwaySeconds(m_list, m_timing.RestRanges(), question.Spell, question.Item);
    std::string problem;
    const bool rest = item == RestName();
    const TRecordChange change =
        rest ? BookAwayAsRest(m_list, m_timing.RestRanges(), question, problem)
             : BookAwayToItem(m_list, m_timing.RestRanges(), question, item, problem);
    for (auto& [month, seconds] : m_leftMonths)
        seconds = MonthTotal(month);
    const int64_t after = Booked();
    // Only rest takes time from the items; another item takes it over whole.
    const int64_t taken = rest && change == TRecordChange::Made ? question.Seconds : 0;
    if (after != before - taken)
        Problem("the answer about " + std::to_string(question.Seconds) + " s of " +
                Cp932ToUtf8(question.Item) + " changed the time booked by " +
                std::to_string(after - before) + " s");
    m_baseline -= before - after;
    m_timing.RefreshButtons(); // as the window does after an answer
}

} // namespace zanpel::test
