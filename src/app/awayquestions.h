// The bar's side of away spells: the idle source's events go to the away
// watch, and a return that has something to ask opens the question, which
// the bar's timing does not wait for. The answer is booked at once.
#pragma once

#include "app/awaydialog.h"
#include "app/awaywatch.h"

#include <functional>
#include <memory>
#include <string>

namespace zanpel {

class Clock;
class IdleSource;
class TDataList;
class TWorkButtons;
class TWorkTiming;

class TAwayQuestions {
public:
    struct Environment {
        std::shared_ptr<IdleSource> Idle; // none: nothing is ever asked
        std::function<void(const std::string& line)> Trace;
        std::function<void(const std::string& text)> ShowError; // UTF-8
    };

    TAwayQuestions(QWidget& bar, TDataList& list, const Clock& clock, TWorkTiming& timing,
                   TWorkButtons& buttons, Environment environment);
    ~TAwayQuestions();
    TAwayQuestions(const TAwayQuestions&) = delete;
    TAwayQuestions& operator=(const TAwayQuestions&) = delete;

    // Minutes without input that make an away spell (AWAYTIME); 0: none.
    void SetThreshold(int minutes);
    // The open question's dialog, for tests; null when none is open.
    TAwayDialog* OpenDialog() const { return m_dialog.get(); }

private:
    void Returned(const std::optional<TAwayQuestion>& question);
    void Answer(const TAwayAnswer& answer);
    std::vector<std::string> OtherItems(const std::string& item) const;

    QWidget& m_bar;
    TDataList& m_list;
    TWorkTiming& m_timing;
    TWorkButtons& m_buttons;
    Environment m_env;
    TAwayWatch m_watch;
    std::unique_ptr<TAwayDialog> m_dialog;
};

} // namespace zanpel
