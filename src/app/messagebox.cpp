#include "app/messagebox.h"

#include <QMessageBox>

namespace zanpel {

bool TMessageBoxDialogs::Confirm(const std::string& text) {
    return QMessageBox::question(m_parent, QStringLiteral("Zanpel"), QString::fromStdString(text),
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

void TMessageBoxDialogs::ShowError(const std::string& text) {
    QString message = QString::fromStdString(text);
    message.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox::critical(m_parent, QStringLiteral("Zanpel"), message);
}

} // namespace zanpel
