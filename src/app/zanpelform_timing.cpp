// The window's side of the timing engine, and the hand-over from a second copy.
#include "app/messagebox.h"
#include "app/workbuttonswidget.h"
#include "app/zanpelform.h"
#include "controls/bevellabel.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QTimer>

namespace zanpel {

void TZanpelForm::SetWorkTimer(bool on) {
    if (on)
        m_workTimer->start();
    else
        m_workTimer->stop();
}

void TZanpelForm::SetEfTimer(bool on) {
    if (on)
        m_efTimer->start();
    else
        m_efTimer->stop();
}

void TZanpelForm::SetBarEnabled(bool on) {
    m_workButtonsWidget->setEnabled(on);
}

namespace {

// The bar's own boxes and dialogs give the keyboard back to the bar when
// they close: some window managers (openbox) leave it nowhere, and the
// bar's short-cuts would do nothing until it is clicked. Once the command
// that asked is over, since it may rebuild the buttons.
class TFocusBack {
public:
    explicit TFocusBack(TZanpelForm& form) : m_form(form) {}
    ~TFocusBack() {
        QTimer::singleShot(0, &m_form, [form = &m_form] { form->TakeFocusBack(); });
    }
    TFocusBack(const TFocusBack&) = delete;
    TFocusBack& operator=(const TFocusBack&) = delete;

private:
    TZanpelForm& m_form;
};

} // namespace

bool TZanpelForm::Confirm(const std::string& text) {
    const TFocusBack back(*this);
    return m_dialogs.Confirm(text);
}

std::optional<TMemoResult> TZanpelForm::AskMemo(const TMemoRequest& request) {
    const TFocusBack back(*this);
    return m_dialogs.AskMemo(request);
}

void TZanpelForm::ShowError(const std::string& text) {
    const TFocusBack back(*this);
    m_dialogs.ShowError(text);
}

std::optional<TSetupResult> TZanpelForm::ShowSetup(const TSetupInput& input) {
    const TFocusBack back(*this);
    return m_dialogs.ShowSetup(input);
}

std::optional<TRecordEditResult> TZanpelForm::EditRecord(const TRecordEditRequest& request) {
    const TFocusBack back(*this);
    return m_dialogs.EditRecord(request);
}

void TZanpelForm::ShowFromSecondCopy() {
    raise();
    activateWindow();
    m_barShown = true;
    if (m_dockSize < 10)
        m_dockSize = 142;
    AnimateThickness(m_dockSize);
    SetShownParts(true);
    LayoutChildren();
    m_efTimer->start();
}

void TZanpelForm::HandOverItem(const std::string& name) {
    // Pressed as by the user, without the memo dialog; an item that runs
    // already goes on running.
    const int index = m_workButtons.IndexOfName(name);
    if (index >= 0 && index != m_workButtons.ItemIndex()) {
        m_timing.AutoSelecting = true;
        m_workButtons.ClickMainButton(index);
        m_timing.AutoSelecting = false;
    }
    ShowFromSecondCopy();
}

void TZanpelForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        m_efTimer->start();
    QWidget::changeEvent(event);
}

void TZanpelForm::closeEvent(QCloseEvent* event) {
    event->accept();
    QCoreApplication::quit();
}

} // namespace zanpel
