// The bar's APP list box as the detection's TAppLines. Each item keeps its
// line's CP932 text beside the text it shows, so that reading the lines on
// every idle pass converts nothing.
#pragma once

#include "app/foregrounddetector.h"

class QListWidget;
class QListWidgetItem;

namespace zanpel {

class TAppListLines final : public TAppLines {
public:
    explicit TAppListLines(QListWidget& list) : m_list(list) {}

    int Count() const override;
    std::string Line(int i) const override;
    void Append(const std::string& line) override;
    void Replace(int i, const std::string& line) override;
    int ItemIndex() const override;
    void SelectOnly(int i) override;

    // The CP932 line of an item (also of items added without it).
    static std::string LineOf(const QListWidgetItem& item);

private:
    QListWidget& m_list;
};

} // namespace zanpel
