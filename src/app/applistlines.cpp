#include "app/applistlines.h"

#include "controls/qcp932.h"

#include <QListWidget>

namespace zanpel {
namespace {

constexpr int Cp932Role = Qt::UserRole;

void SetLine(QListWidgetItem& item, const std::string& line) {
    item.setText(FromCp932(line));
    item.setData(Cp932Role, QByteArray::fromStdString(line));
}

} // namespace

std::string TAppListLines::LineOf(const QListWidgetItem& item) {
    const QVariant cp932 = item.data(Cp932Role);
    return cp932.isValid() ? cp932.toByteArray().toStdString() : ToCp932(item.text());
}

int TAppListLines::Count() const {
    return m_list.count();
}

std::string TAppListLines::Line(int i) const {
    return LineOf(*m_list.item(i));
}

void TAppListLines::Append(const std::string& line) {
    auto* item = new QListWidgetItem;
    SetLine(*item, line);
    m_list.addItem(item);
}

void TAppListLines::Replace(int i, const std::string& line) {
    SetLine(*m_list.item(i), line);
}

int TAppListLines::ItemIndex() const {
    return m_list.currentRow();
}

void TAppListLines::SelectOnly(int i) {
    m_list.setCurrentRow(i, QItemSelectionModel::ClearAndSelect);
}

} // namespace zanpel
