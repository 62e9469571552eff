// The bar's row of tool buttons: small raised-on-hover buttons with thin
// separators between groups, placed left to right at their own sizes. A
// narrower strip cuts the last buttons off; every command they hold is also
// in the menus and has a short-cut.
#pragma once

#include <QWidget>

#include <vector>

class QAction;
class QToolButton;

namespace zanpel {

class TToolStrip : public QWidget {
    Q_OBJECT
public:
    explicit TToolStrip(QWidget* parent);

    // A button out of the tab chain, so that a stray Space presses none.
    QToolButton* AddButton(const char* name);
    // A button that shows and triggers action.
    QToolButton* AddAction(QAction* action, const char* name);
    void AddSeparator();

    // The buttons and separators, left to right.
    const std::vector<QWidget*>& Items() const { return m_items; }
    QSize sizeHint() const override;

private:
    void Place(QWidget* item, int width);

    std::vector<QWidget*> m_items;
    int m_end = 0; // the right edge of the last item
};

// A separator between two groups of tool buttons, drawn as the style draws
// one in a tool bar.
class TToolStripSeparator : public QWidget {
    Q_OBJECT
public:
    explicit TToolStripSeparator(QWidget* parent) : QWidget(parent) {}

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace zanpel
