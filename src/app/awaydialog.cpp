#include "app/awaydialog.h"

#include "app/awaytext.h"
#include "app/programicon.h"
#include "controls/qcp932.h"
#include "controls/windowplace.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace zanpel {

TAwayDialog::TAwayDialog(QWidget* parent, const std::vector<std::string>& items)
    : QDialog(parent), m_text(new QLabel(this)), m_items(new QComboBox(this)), m_names(items) {
    setObjectName("AwayDialog");
    setWindowTitle(QStringLiteral("離席"));
    setWindowIcon(ProgramIcon());
    // The user came back to another window and may be typing there.
    setAttribute(Qt::WA_ShowWithoutActivating);
    m_text->setObjectName("AwaySpell");
    for (const std::string& item : items)
        m_items->addItem(FromCp932(item));
    m_items->setObjectName("AwayItems");
    m_items->setEnabled(!items.empty());
    auto* keep = new QPushButton(QStringLiteral("作業に含める(&K)"), this);
    keep->setObjectName("AwayKeep");
    auto* rest = new QPushButton(QStringLiteral("休憩にする(&R)"), this);
    rest->setObjectName("AwayRest");
    auto* other = new QPushButton(QStringLiteral("別の作業項目(&O)"), this);
    other->setObjectName("AwayOther");
    other->setEnabled(!items.empty());
    connect(keep, &QPushButton::clicked, this, [this] { Answer({TAwayAnswer::Kind::Keep, {}}); });
    connect(rest, &QPushButton::clicked, this, [this] { Answer({TAwayAnswer::Kind::Rest, {}}); });
    connect(other, &QPushButton::clicked, this, [this] {
        const int index = m_items->currentIndex();
        if (index >= 0 && index < static_cast<int>(m_names.size()))
            Answer({TAwayAnswer::Kind::OtherItem, m_names[static_cast<size_t>(index)]});
    });
    auto* layout = new QGridLayout(this);
    layout->addWidget(m_text, 0, 0, 1, 2);
    layout->addWidget(keep, 1, 0);
    layout->addWidget(rest, 1, 1);
    layout->addWidget(other, 2, 0);
    layout->addWidget(m_items, 2, 1);
    setTabOrder(keep, rest);
    setTabOrder(rest, other);
    setTabOrder(other, m_items);
    keep->setDefault(true);
}

void TAwayDialog::SetSpell(TDateTime from, TDateTime to) {
    m_text->setText(QString::fromStdString(AwaySpellText(from, to)));
    adjustSize();
}

void TAwayDialog::ShowQuietly() {
    show();
    MoveToScreenCentre(*this);
}

void TAwayDialog::Answer(TAwayAnswer answer) {
    if (m_answered)
        return;
    m_answered = true;
    hide();
    if (OnAnswer)
        OnAnswer(answer);
}

void TAwayDialog::reject() {
    Answer({TAwayAnswer::Kind::Keep, {}});
}

void TAwayDialog::closeEvent(QCloseEvent* event) {
    Answer({TAwayAnswer::Kind::Keep, {}});
    event->accept();
}

} // namespace zanpel
