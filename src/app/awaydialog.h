// The question after an away spell: how to book the time the user was
// away. It opens without taking the typing focus from the window the user
// came back to, and waits: the bar keeps timing until it is answered.
#pragma once

#include "records/timevalues.h"

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;

namespace zanpel {

struct TAwayAnswer {
    enum class Kind {
        Keep,      // 作業に含める: the time stays with the item that ran
        Rest,      // 休憩にする: the time becomes a rest
        OtherItem, // 別の作業項目: the time goes to Item
    };
    Kind What = Kind::Keep;
    std::string Item; // CP932, for OtherItem
};

class TAwayDialog final : public QDialog {
    Q_OBJECT

public:
    // items: the work items one may book the spell to (CP932), in the
    // bar's order.
    TAwayDialog(QWidget* parent, const std::vector<std::string>& items);

    // The spell shown; a later spell before the answer widens it.
    void SetSpell(TDateTime from, TDateTime to);
    // Called once, with the choice; closing the dialog keeps the time as it is.
    std::function<void(const TAwayAnswer&)> OnAnswer;

    // Shows it in the middle of the screen without taking the focus.
    void ShowQuietly();

private:
    void Answer(TAwayAnswer answer);
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

    QLabel* m_text;
    QComboBox* m_items;
    // The names as the bar holds them: the combo's text may not convert back
    // to the same bytes.
    std::vector<std::string> m_names;
    bool m_answered = false;
};

} // namespace zanpel
