#include "reports/timeedit.h"

#include "controls/fieldlabel.h"
#include "controls/messageboxes.h"
#include "controls/qcp932.h"
#include "controls/windowplace.h"
#include "reports/periodtable.h"
#include "reports/taskdlg.h"
#include "reports/workdefine.h"

#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <set>

namespace zanpel {

bool TTimeEditScreenDialogs::Confirm(QWidget* parent, const std::string& text) {
    return AskYesNo(parent, QString::fromStdString(text));
}

std::optional<TPeriodMemoResult>
TTimeEditScreenDialogs::AskPeriodMemo(QWidget* parent, const TPeriodMemoRequest& request) {
    TTaskDlg dlg(parent);
    dlg.SetCategoryList(request.Categories);
    dlg.SetCategory(request.Category);
    dlg.SetMemo(request.Memo);
    dlg.SetTimeText(QString::fromStdString(request.TimeText));
    dlg.SetMemoCheckVisible(request.MemoCheckVisible);
    if (dlg.exec() != QDialog::Accepted)
        return std::nullopt;
    return TPeriodMemoResult{dlg.Category(), dlg.Memo(), dlg.MemoChecked(), dlg.CategoryList()};
}

std::optional<TNewPeriod> TTimeEditScreenDialogs::AskNewPeriod(QWidget* parent,
                                                               const TNewPeriodRequest& request) {
    TWorkDefine dlg(request, parent);
    if (dlg.exec() != QDialog::Accepted)
        return std::nullopt;
    return dlg.Period();
}

TTimeEdit::TTimeEdit(TTimeEditModel& model, TTimeEditDialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_model(model), m_dialogs(dialogs), m_table(new TPeriodTable(model, this)),
      m_total(new QLineEdit(this)), m_memo(new QPlainTextEdit(this)),
      m_listView(new QTableView(this)), m_addBtn(new QPushButton(QStringLiteral("更新(&U)"), this)),
      m_cancelBtn(new QPushButton(QStringLiteral("取消"), this)),
      m_editBtn(new QPushButton(QStringLiteral("変更(&E)"), this)) {
    setObjectName("TimeEdit");
    setWindowTitle(QString::fromStdString(model.Caption()));
    setFixedSize(444, 356);
    m_total->setObjectName("Total");
    m_total->setReadOnly(true);
    m_total->setFocusPolicy(Qt::NoFocus); // skipped by the tab key
    m_memo->setObjectName("Memo");
    m_memo->setTabChangesFocus(true);
    m_memo->setPlainText(FromCp932Lines(model.EditRecord.Memo));
    m_addBtn->setObjectName("AddBtn");
    m_addBtn->setDefault(true);
    m_cancelBtn->setObjectName("CancelBtn");
    m_editBtn->setObjectName("EditBtn");
    m_editBtn->setEnabled(false);

    m_listView->setObjectName("ListView");
    m_listView->setModel(m_table);
    m_listView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_listView->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_listView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_listView->setTabKeyNavigation(false); // Tab leaves the list; arrows move in it
    m_listView->setShowGrid(true);
    m_listView->verticalHeader()->hide();
    m_listView->verticalHeader()->setDefaultSectionSize(18);
    QFont listFont = font();
    listFont.setPixelSize(13);
    m_listView->setFont(listFont);
    const int widths[] = {70, 70, 45, 120};
    for (int c = 0; c < 4; ++c)
        m_listView->setColumnWidth(c, widths[c]);
    m_listView->horizontalHeader()->setStretchLastSection(true);
    m_listView->setAccessibleName(QStringLiteral("作業時間の明細"));

    auto* top = new QGridLayout;
    top->addWidget(FieldLabel(QStringLiteral("作業時間："), m_total, this), 0, 0);
    top->addWidget(m_total, 0, 1);
    top->addWidget(FieldLabel(QStringLiteral("標準メモ："), m_memo, this), 1, 0, Qt::AlignTop);
    top->addWidget(m_memo, 1, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_addBtn);
    buttons->addWidget(m_cancelBtn);
    buttons->addStretch();
    top->addLayout(buttons, 0, 2, 2, 1);
    m_memo->setFixedHeight(48);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_editBtn);
    bottom->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_listView, 1);
    layout->addLayout(bottom);

    CreateActions();
    connect(m_addBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_editBtn, &QPushButton::clicked, this, &TTimeEdit::EditBtnClick);
    connect(m_listView, &QAbstractItemView::doubleClicked, this, &TTimeEdit::EditBtnClick);
    connect(m_listView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TTimeEdit::UpdateEditBtn);
    Reload();
}

TTimeEdit::~TTimeEdit() = default;

void TTimeEdit::CreateActions() {
    m_popup = new QMenu(this);
    m_popup->setObjectName("PopupMenu1");
    const auto add = [this](const char* name, const QString& caption, const QKeySequence& keys,
                            void (TTimeEdit::*handler)()) {
        QAction* action = m_popup->addAction(caption, this, handler);
        action->setObjectName(name);
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        m_listView->addAction(action); // the keys work while the list has the focus
        return action;
    };
    m_editAction = add("N1", QStringLiteral("修正(&E)"), QKeySequence(Qt::CTRL | Qt::Key_E),
                       &TTimeEdit::EditBtnClick);
    m_deleteAction = add("Delete1", QStringLiteral("削除(&D)"), QKeySequence(Qt::Key_Delete),
                         &TTimeEdit::Delete1Click);
    m_newAction = add("N_New", QStringLiteral("新規(&N)"), QKeySequence(Qt::Key_Insert),
                      &TTimeEdit::N_NewClick);
    m_listView->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_listView, &QWidget::customContextMenuRequested, this,
            [this](QPoint at) { m_popup->popup(m_listView->viewport()->mapToGlobal(at)); });
}

std::vector<int> TTimeEdit::SelectedRows() const {
    std::set<int> rows;
    for (const QModelIndex& index : m_listView->selectionModel()->selectedIndexes())
        rows.insert(index.row());
    return {rows.begin(), rows.end()};
}

int TTimeEdit::SelectedPeriodIndex() const {
    const std::vector<int> rows = SelectedRows();
    return rows.empty() ? -1 : rows.front();
}

void TTimeEdit::Reload(int selectRow) {
    m_table->Reload();
    m_total->setText(QString::fromStdString(m_model.TotalText()));
    if (selectRow >= 0)
        m_listView->selectRow(selectRow);
    UpdateEditBtn();
}

void TTimeEdit::UpdateEditBtn() {
    m_editBtn->setEnabled(m_model.EditEnabled(SelectedPeriodIndex() >= 0));
}

void TTimeEdit::EditBtnClick() {
    const std::vector<int> rows = SelectedRows();
    if (rows.empty())
        return;
    const std::optional<TPeriodMemoResult> result =
        m_dialogs.AskPeriodMemo(this, m_model.MemoRequest(rows));
    if (!result)
        return;
    m_model.ApplyMemo(rows, *result);
    m_table->Reload();
    for (const int row : rows)
        m_listView->selectionModel()->select(m_table->index(row, 0), QItemSelectionModel::Select |
                                                                         QItemSelectionModel::Rows);
}

void TTimeEdit::DeleteSelectedPeriod() {
    const int row = SelectedPeriodIndex();
    if (row < 0 || !m_dialogs.Confirm(this, m_model.DeleteQuestion(row)))
        return;
    m_model.DeleteRow(row);
    Reload();
}

void TTimeEdit::N_NewClick() {
    const std::optional<TNewPeriod> period =
        m_dialogs.AskNewPeriod(this, m_model.NewPeriodRequest());
    if (!period)
        return;
    const int row = m_model.AddPeriod(*period);
    Reload(row);
}

void TTimeEdit::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    MoveToScreenCentre(*this);
}

void TTimeEdit::done(int result) {
    m_model.SetMemo(ToCp932Lines(m_memo->toPlainText()));
    QDialog::done(result);
}

} // namespace zanpel
