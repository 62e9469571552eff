// The settings dialog's rule tester on the page "作業項目": the section
// "試す" with its result line, the APP list history with the item each of its
// programs goes to, and the rule lines that can match nothing marked in red.
// All of it follows the definitions as edited, before any save; the words
// come from ruletester.
#include "controls/qcp932.h"
#include "settings/ruletester.h"
#include "settings/setupform.h"
#include "ui_setupform.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QHelpEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QToolTip>

namespace zanpel {
namespace {

// A text put into a field of the tester, shown from its beginning.
void ShowTryText(QLineEdit* field, const std::string& text) {
    field->setText(FromCp932(text));
    field->setCursorPosition(0);
}

} // namespace

void TSetupForm::ConnectTester(const std::vector<std::string>& history) {
    m_history = history;
    QStringList programs;
    for (const std::string& line : m_history) {
        m_ui->AppHist->addItem(FromCp932(line));
        programs << FromCp932(std::string(SplitSeenApp(line).Program));
    }
    m_ui->AppHist->setCurrentIndex(-1);
    auto* completer = new QCompleter(programs, m_ui->TryProgram);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    m_ui->TryProgram->setCompleter(completer);
    if (!m_history.empty())
        TryHistoryLine(m_history.front());
    m_ui->AppList->viewport()->installEventFilter(this);
    m_ruleHint = m_ui->AppListHint->text();
    m_ruleHintTip = m_ui->AppListHint->toolTip();
    m_ui->AppListHint->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    // Room for two lines of result, so that the page does not move while
    // typing changes one line into two.
    m_ui->TryResult->setMinimumHeight(2 * m_ui->TryResult->fontMetrics().lineSpacing());
    m_ui->TryResult->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    connect(m_ui->WorkTitle, &QLineEdit::textChanged, this, &TSetupForm::RefreshRules);
    connect(m_ui->AppList, &QPlainTextEdit::textChanged, this, &TSetupForm::RefreshRules);
    connect(m_ui->AutoSwCheck, &QCheckBox::toggled, this, &TSetupForm::RefreshRules);
    connect(m_ui->AppSwitch, &QCheckBox::toggled, this, &TSetupForm::ShowTryResult);
    connect(m_ui->TryTitle, &QLineEdit::textChanged, this, &TSetupForm::ShowTryResult);
    connect(m_ui->TryProgram, &QLineEdit::textChanged, this, &TSetupForm::ShowTryResult);
    // A program of the history brings the title it was last seen with.
    const auto bringTitle = [this](const QString& program) {
        if (const auto title = SeenTitleOf(m_history, ToCp932(program)))
            ShowTryText(m_ui->TryTitle, *title);
    };
    connect(m_ui->TryProgram, &QLineEdit::textEdited, this, bringTitle);
    connect(completer, qOverload<const QString&>(&QCompleter::activated), this, bringTitle);
}

void TSetupForm::TryHistoryLine(const std::string& line) {
    const TSeenApp seen = SplitSeenApp(line);
    ShowTryText(m_ui->TryProgram, std::string(seen.Program));
    ShowTryText(m_ui->TryTitle, std::string(seen.Title));
}

void TSetupForm::RefreshRules() {
    m_edited = m_items.DefinitionsWith(ShownFields());
    MarkRuleLines();
    ShowSeenTargets();
    ShowTryResult();
}

void TSetupForm::ShowTryResult() {
    m_ui->TryResult->setText(QString::fromStdString(
        TesterResultText(m_edited, ToCp932(m_ui->TryProgram->text()),
                         ToCp932(m_ui->TryTitle->text()), m_ui->AppSwitch->isChecked())));
}

void TSetupForm::MarkRuleLines() {
    QList<QTextEdit::ExtraSelection> marks;
    m_ruleFaults.clear();
    QString first;
    for (QTextBlock block = m_ui->AppList->document()->begin(); block.isValid();
         block = block.next()) {
        const std::string fault = RuleLineFault(ToCp932(block.text()));
        m_ruleFaults.push_back(fault);
        if (fault.empty())
            continue;
        if (first.isEmpty())
            first = QStringLiteral("%1行目: %2")
                        .arg(block.blockNumber() + 1)
                        .arg(QString::fromStdString(fault));
        QTextEdit::ExtraSelection mark;
        mark.cursor = QTextCursor(block);
        mark.cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        mark.format.setForeground(Qt::red);
        marks.append(mark);
    }
    m_ui->AppList->setExtraSelections(marks);
    // The hint under the list gives way to the first fault, in red.
    m_ui->AppListHint->setText(first.isEmpty() ? m_ruleHint : first);
    m_ui->AppListHint->setToolTip(first.isEmpty() ? m_ruleHintTip : first);
    QPalette p = m_ui->AppListHint->parentWidget()->palette();
    if (!first.isEmpty())
        p.setColor(QPalette::WindowText, Qt::red);
    m_ui->AppListHint->setPalette(p);
}

void TSetupForm::ShowSeenTargets() {
    for (int i = 0; i < m_ui->AppHist->count(); ++i) {
        const std::string& line = m_history[static_cast<size_t>(i)];
        m_ui->AppHist->setItemText(i, FromCp932(line) + QStringLiteral("　") +
                                          QString::fromStdString(SeenAppTarget(m_edited, line)));
    }
    QAbstractItemView* view = m_ui->AppHist->view();
    view->setMinimumWidth(view->sizeHintForColumn(0) + 2 * view->frameWidth() +
                          view->verticalScrollBar()->sizeHint().width());
}

bool TSetupForm::ShowRuleToolTip(QEvent* event) {
    const auto* help = static_cast<QHelpEvent*>(event);
    const int line = m_ui->AppList->cursorForPosition(help->pos()).blockNumber();
    if (line >= 0 && static_cast<size_t>(line) < m_ruleFaults.size() &&
        !m_ruleFaults[static_cast<size_t>(line)].empty()) {
        QToolTip::showText(help->globalPos(),
                           QString::fromStdString(m_ruleFaults[static_cast<size_t>(line)]),
                           m_ui->AppList);
        return true;
    }
    QToolTip::hideText();
    event->ignore();
    return true;
}

} // namespace zanpel
