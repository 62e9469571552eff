// The about box: the program's version, the Qt version, the data folder, and
// buttons that open a mail message and the project's page.
#pragma once

#include <QDialog>

namespace zanpel {

// Texts of the about box, apart from the window.
QString AboutText(const QString& dataFolder, bool appSwitchAvailable);
QString MailUrl();

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(const QString& dataFolder, QWidget* parent = nullptr,
                       bool appSwitchAvailable = true);
};

} // namespace zanpel
