#include "app/awayquestions.h"

#include "app/awayanswers.h"
#include "app/awaytext.h"
#include "app/workbuttons.h"
#include "app/worktiming.h"
#include "records/names.h"
#include "records/textcodec.h"
#include "tracking/idlesource.h"

namespace zanpel {

TAwayQuestions::TAwayQuestions(QWidget& bar, TDataList& list, const Clock& clock,
                               TWorkTiming& timing, TWorkButtons& buttons, Environment environment)
    : m_bar(bar), m_list(list), m_timing(timing), m_buttons(buttons), m_env(std::move(environment)),
      m_watch(clock, list, timing.RestRanges()) {
    if (!m_env.Idle)
        return;
    m_env.Idle->SetOnIdle([this](std::chrono::milliseconds idleFor) {
        if (m_env.Trace)
            m_env.Trace("idle for " + std::to_string(idleFor.count() / 1000) + " s");
        m_watch.Idle(idleFor);
    });
    // A sleep that has not been taken out yet is not time away.
    m_env.Idle->SetOnActive([this] {
        if (m_env.Trace)
            m_env.Trace("input again");
        m_timing.CheckSleep();
        Returned(m_watch.Active());
    });
    m_env.Idle->SetOnLock([this](bool locked) {
        m_timing.CheckSleep();
        Returned(m_watch.Locked(locked));
    });
}

TAwayQuestions::~TAwayQuestions() {
    if (!m_env.Idle)
        return;
    m_env.Idle->SetOnIdle(nullptr);
    m_env.Idle->SetOnActive(nullptr);
    m_env.Idle->SetOnLock(nullptr);
}

void TAwayQuestions::SetThreshold(int minutes) {
    m_watch.SetThreshold(minutes);
    if (m_env.Idle)
        m_env.Idle->Watch(m_watch.WatchAfter());
}

void TAwayQuestions::Returned(const std::optional<TAwayQuestion>& question) {
    if (!question)
        return;
    const std::string text = AwaySpellText(question->Spell.From, question->Spell.To);
    if (m_env.Trace)
        m_env.Trace("away asked " + text);
    // A second spell before the answer widens the open question.
    if (!m_dialog) {
        m_dialog = std::make_unique<TAwayDialog>(&m_bar, OtherItems(question->Item));
        m_dialog->OnAnswer = [this](const TAwayAnswer& answer) { Answer(answer); };
        m_dialog->SetSpell(question->Spell.From, question->Spell.To);
        m_dialog->ShowQuietly();
    } else {
        m_dialog->SetSpell(question->Spell.From, question->Spell.To);
    }
    if (m_env.Trace) {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        m_env.Trace(
            "away shown at " +
            std::to_string(std::chrono::duration_cast<std::chrono::microseconds>(now).count()));
    }
}

void TAwayQuestions::Answer(const TAwayAnswer& answer) {
    const std::optional<TAwayQuestion> question = m_watch.OpenQuestion();
    m_watch.Answered();
    // The dialog goes once its own handler is done.
    if (m_dialog)
        m_dialog.release()->deleteLater();
    if (!question)
        return;
    std::string problem;
    TRecordChange change = TRecordChange::NotFound;
    std::string said = "keep";
    if (answer.What == TAwayAnswer::Kind::Rest) {
        change = BookAwayAsRest(m_list, m_timing.RestRanges(), *question, problem);
        said = "rest";
    } else if (answer.What == TAwayAnswer::Kind::OtherItem) {
        change = BookAwayToItem(m_list, m_timing.RestRanges(), *question, answer.Item, problem);
        said = "item " + Cp932ToUtf8(answer.Item);
    }
    if (m_env.Trace)
        m_env.Trace("away answered " + said);
    m_timing.RefreshButtons();
    if (change == TRecordChange::NotKept && m_env.ShowError)
        m_env.ShowError(problem);
}

std::vector<std::string> TAwayQuestions::OtherItems(const std::string& item) const {
    std::vector<std::string> items;
    for (int i = 0; i < m_buttons.ButtonCount(); ++i) {
        const std::string& name = m_buttons.Buttons(i).Name;
        if (name != item && name != RestName())
            items.push_back(name);
    }
    return items;
}

} // namespace zanpel
