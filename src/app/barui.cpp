#include "app/barui.h"

#include "app/barautohide.h"
#include "app/barparts.h"
#include "app/messagebox.h"
#include "app/workbuttonswidget.h"
#include "app/zanpelform.h"

#include <QTimer>

namespace zanpel {
namespace {

// Some window managers (openbox) leave the keyboard nowhere when a dialog
// closes, and the bar's short-cuts would do nothing until it is clicked. The
// focus comes back once the command that asked is over, since it may rebuild
// the buttons.
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

void TBarUi::SetWorkTimer(bool on) {
    QTimer* timer = m_form.Parts().WorkTimer;
    if (on)
        timer->start();
    else
        timer->stop();
}

void TBarUi::SetAutoHideTimer(bool on) {
    m_form.AutoHide().SetHideTimer(on);
}

void TBarUi::SetAppSwitchMode(bool on) {
    m_form.SetAppSwitchMode(on);
}

void TBarUi::SetAutoHide(bool on) {
    m_form.SetAutoHide(on);
}

void TBarUi::SetBarEnabled(bool on) {
    m_form.Parts().Buttons->setEnabled(on);
}

bool TBarUi::Confirm(const std::string& text) {
    const TFocusBack back(m_form);
    return m_dialogs.Confirm(text);
}

std::optional<TMemoResult> TBarUi::AskMemo(const TMemoRequest& request) {
    const TFocusBack back(m_form);
    return m_dialogs.AskMemo(request);
}

void TBarUi::ShowError(const std::string& text) {
    const TFocusBack back(m_form);
    m_dialogs.ShowError(text);
}

std::optional<TSetupResult> TBarUi::ShowSetup(const TSetupInput& input) {
    const TFocusBack back(m_form);
    return m_dialogs.ShowSetup(input);
}

std::optional<TRecordEditResult> TBarUi::EditRecord(const TRecordEditRequest& request) {
    const TFocusBack back(m_form);
    return m_dialogs.EditRecord(request);
}

} // namespace zanpel
