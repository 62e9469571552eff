#include "app/toolstrip.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QPainter>
#include <QStyleOption>
#include <QToolButton>

namespace zanpel {
namespace {

constexpr int Margin = 4;  // around the row
constexpr int Spacing = 1; // between two items
constexpr QSize ButtonSize(19, 18);
constexpr int SeparatorWidth = 6;
constexpr QSize IconSize(12, 12);

// Screen readers hear the strip as a tool bar and its separators as
// separators, not as empty panels.
QAccessibleInterface* StripAccessible(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr)
        return nullptr;
    if (className == QLatin1String("zanpel::TToolStrip"))
        return new QAccessibleWidget(widget, QAccessible::ToolBar);
    if (className == QLatin1String("zanpel::TToolStripSeparator"))
        return new QAccessibleWidget(widget, QAccessible::Separator);
    return nullptr;
}

} // namespace

TToolStrip::TToolStrip(QWidget* parent) : QWidget(parent), m_end(Margin - Spacing) {
    static const bool accessibleInstalled = [] {
        QAccessible::installFactory(StripAccessible);
        return true;
    }();
    (void)accessibleInstalled;
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

QToolButton* TToolStrip::AddButton(const char* name) {
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIconSize(IconSize);
    Place(button, ButtonSize.width());
    return button;
}

QToolButton* TToolStrip::AddAction(QAction* action, const char* name) {
    QToolButton* button = AddButton(name);
    button->setDefaultAction(action);
    return button;
}

void TToolStrip::AddSeparator() {
    Place(new TToolStripSeparator(this), SeparatorWidth);
}

void TToolStrip::Place(QWidget* item, int width) {
    m_end += Spacing;
    item->setGeometry(m_end, Margin, width, ButtonSize.height());
    m_end += width;
    m_items.push_back(item);
}

QSize TToolStrip::sizeHint() const {
    return {m_end + Margin, ButtonSize.height() + 2 * Margin};
}

void TToolStripSeparator::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOption option;
    option.initFrom(this);
    option.state |= QStyle::State_Horizontal; // a row of buttons: an upright line
    style()->drawPrimitive(QStyle::PE_IndicatorToolBarSeparator, &option, &painter, parentWidget());
}

} // namespace zanpel
