#include "app/aboutbox.h"

#include "app/programicon.h"
#include "app/version.h"
#include "controls/bevellabel.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace zanpel {
namespace {

const char* const MailAddress = "zanpel@example.org";

// The README beside the sources when this build can see it, else the web page.
QUrl ProjectPage() {
#ifdef ZANPEL_README_PATH
    if (QFileInfo::exists(QStringLiteral(ZANPEL_README_PATH)))
        return QUrl::fromLocalFile(QStringLiteral(ZANPEL_README_PATH));
#endif
    return QUrl(QStringLiteral("https://zanpel.example.org/"));
}

} // namespace

QString AboutText(const QString& dataFolder, const TSessionInfo& session, const QString& problems) {
    QString text = QStringLiteral("Zanpel %1\nQt %2\nデータフォルダ: %3\n%4")
                       .arg(QString::fromLatin1(ProgramVersion), QString::fromLatin1(qVersion()),
                            dataFolder, QString::fromStdString(SessionText(session)));
    if (!problems.isEmpty())
        text += QStringLiteral("\n") + problems;
    return text;
}

QString MailUrl() {
    return QStringLiteral("mailto:%1?subject=Zanpel%20%2").arg(MailAddress, ProgramVersion);
}

TAboutBox::TAboutBox(const QString& dataFolder, QWidget* parent, const TSessionInfo& session,
                     const QString& problems)
    : QDialog(parent) {
    setObjectName("AboutDialog1");
    setWindowTitle(QStringLiteral("バージョン情報"));
    setWindowIcon(ProgramIcon());
    auto* picture = new QLabel(this);
    picture->setObjectName("ProgramIcon");
    picture->setPixmap(ProgramIcon().pixmap(64, 64));
    picture->setAlignment(Qt::AlignTop);
    auto* comment = new TBevelLabel(this);
    comment->setObjectName("AboutText");
    comment->SetCaption(AboutText(dataFolder, session, problems));
    comment->SetTextBorder(8);
    comment->SetWordWrap(true);
    comment->setMinimumSize(440, 150);
    auto* mail = new QPushButton(QStringLiteral("メール(&M)"), this);
    mail->setObjectName("MailButton");
    auto* web = new QPushButton(QStringLiteral("Webページ(&W)"), this);
    web->setObjectName("WebButton");
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(mail, &QPushButton::clicked, this, [] { QDesktopServices::openUrl(QUrl(MailUrl())); });
    connect(web, &QPushButton::clicked, this, [] { QDesktopServices::openUrl(ProjectPage()); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(mail);
    buttons->addWidget(web);
    buttons->addStretch();
    buttons->addWidget(ok);
    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addWidget(comment, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
}

} // namespace zanpel
