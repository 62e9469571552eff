// The caption strip at the start of the bar: today's date, or where the mouse
// is on the screen while the bar is dragged. On a thin bar the text gets
// smaller rather than cut.
#pragma once

#include "controls/bevellabel.h"
#include "records/timevalues.h"

namespace zanpel {

class TBarCaption : public TBevelLabel {
    Q_OBJECT
public:
    // bar: the bar window, whose font the text starts from.
    explicit TBarCaption(QWidget* bar);

    // Shows the date as "mm月dd日 " and answers the text.
    QString ShowDate(DayNumber today);
    // The day ShowDate showed last; -1 before it.
    DayNumber ShownDay() const { return m_shownDay; }
    // Shows a point of the screen as "(x,y)".
    void ShowPosition(QPoint onScreen);
    // Makes the text as small as it must be to fit the strip.
    void FitText();

private:
    DayNumber m_shownDay = -1;
};

} // namespace zanpel
