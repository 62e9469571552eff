// The about box: the program's version, the Qt version, the data folder, what
// the session lets the bar do, and buttons that open a mail message and the
// project's page.
#pragma once

#include "app/sessioninfo.h"

#include <QDialog>

namespace zanpel {

// Texts of the about box, apart from the window. problems: lines about
// what the program could not do (the switch log), or empty.
QString AboutText(const QString& dataFolder, const TSessionInfo& session,
                  const QString& problems = {});
QString MailUrl();

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(const QString& dataFolder, QWidget* parent = nullptr,
                       const TSessionInfo& session = {}, const QString& problems = {});
};

} // namespace zanpel
