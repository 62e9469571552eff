#include "app/workbuttonswidget.h"

#include "app/workbuttons.h"
#include "controls/qcp932.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QTextLayout>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

namespace zanpel {
namespace {

QRect ToQRect(const TRect& r) {
    return QRect(r.Left, r.Top, std::max(r.Width(), 0), std::max(r.Height(), 0));
}

// What a tool button's frame takes of its size around the text.
constexpr int ButtonTextMarginX = 3;
constexpr int ButtonTextMarginY = 1;

} // namespace

QString FitButtonText(const QString& name, const QFont& font, QSize room) {
    const QFontMetrics metrics(font);
    QStringList lines;
    if (room.width() <= 0 || metrics.horizontalAdvance(name) <= room.width()) {
        lines << name;
    } else {
        // Japanese names have no blanks: a line may break between any two
        // characters, and at a blank where there is one.
        const int most = std::max(room.height() / metrics.lineSpacing(), 1);
        QTextLayout layout(name, font);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(room.width());
            if (static_cast<int>(lines.size()) == most - 1) {
                lines << metrics.elidedText(name.mid(line.textStart()).trimmed(), Qt::ElideRight,
                                            room.width());
                break;
            }
            lines << name.mid(line.textStart(), line.textLength()).trimmed();
        }
        layout.endLayout();
    }
    return lines.join(QLatin1Char('\n')).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

TWorkButtonsWidget::TWorkButtonsWidget(TWorkButtons& state, QWidget* parent)
    : QWidget(parent), m_state(state) {
    setObjectName("WorkButtons");
    // State changes arrive in bursts (a layout touches every button); the
    // widgets follow once the burst is over.
    m_state.OnChange = [this] {
        if (m_syncQueued)
            return;
        m_syncQueued = true;
        QTimer::singleShot(0, this, [this] { Sync(); });
    };
    Sync();
}

TWorkButtonsWidget::~TWorkButtonsWidget() {
    m_state.OnChange = nullptr;
}

QToolButton* TWorkButtonsWidget::MainButton(int i) const {
    return i >= 0 && i < static_cast<int>(m_parts.size()) ? m_parts[static_cast<size_t>(i)].Main
                                                          : nullptr;
}

QLabel* TWorkButtonsWidget::TimeDisplay(int i) const {
    return i >= 0 && i < static_cast<int>(m_parts.size()) ? m_parts[static_cast<size_t>(i)].Time
                                                          : nullptr;
}

QToolButton* TWorkButtonsWidget::DetailButton(int i) const {
    return i >= 0 && i < static_cast<int>(m_parts.size()) ? m_parts[static_cast<size_t>(i)].Detail
                                                          : nullptr;
}

TWorkButtonsWidget::Parts TWorkButtonsWidget::CreateParts(int index) {
    Parts parts{new QToolButton(this), new QLabel(this), new QToolButton(this), {}};
    parts.Main->setCheckable(true);
    parts.Main->setAutoRaise(true);
    parts.Main->setFocusPolicy(Qt::NoFocus);
    parts.Main->setObjectName(QStringLiteral("MainButton%1").arg(index));
    parts.Main->installEventFilter(this);
    parts.Time->setAlignment(Qt::AlignCenter);
    parts.Time->setObjectName(QStringLiteral("TimeDisplay%1").arg(index));
    parts.Detail->setAutoRaise(true);
    parts.Detail->setFocusPolicy(Qt::NoFocus);
    parts.Detail->setObjectName(QStringLiteral("DetailButton%1").arg(index));
    connect(parts.Main, &QToolButton::clicked, this, [this, main = parts.Main] {
        ++m_clicks;
        MainClicked(main);
    });
    // A screen reader's "toggle" changes the button without a click
    // (QAbstractButton::toggle). A click toggles first and clicks at once;
    // a toggle that no click followed, and that asked for other than its
    // item is, is taken for a click once the moment's events are done. The
    // bar's own changes to the buttons tell nothing (UpdateParts). The item
    // is remembered by its name: a rebuild of the bar in that moment may
    // have put another item on the button.
    connect(parts.Main, &QToolButton::toggled, this, [this, main = parts.Main](bool checked) {
        const int toggled = IndexOfMain(main);
        if (toggled < 0)
            return;
        QTimer::singleShot(
            0, this,
            [this, item = m_parts[static_cast<size_t>(toggled)].Item, checked, at = m_clicks] {
                const int i = m_state.IndexOfName(item);
                if (at == m_clicks && i >= 0 && i < static_cast<int>(m_parts.size()) &&
                    checked != m_state.Buttons(i).Down)
                    MainClicked(m_parts[static_cast<size_t>(i)].Main);
            });
    });
    connect(parts.Detail, &QToolButton::clicked, this, [this, detail = parts.Detail] {
        for (size_t i = 0; i < m_parts.size(); ++i)
            if (m_parts[i].Detail == detail)
                m_state.ClickDetailButton(static_cast<int>(i));
    });
    for (QWidget* w : {static_cast<QWidget*>(parts.Main), static_cast<QWidget*>(parts.Time),
                       static_cast<QWidget*>(parts.Detail)})
        w->show();
    return parts;
}

int TWorkButtonsWidget::IndexOfMain(const QToolButton* main) const {
    for (size_t i = 0; main != nullptr && i < m_parts.size(); ++i)
        if (m_parts[i].Main == main)
            return static_cast<int>(i);
    return -1;
}

// The button's position is looked up at click time: ids move when buttons
// are deleted.
void TWorkButtonsWidget::MainClicked(const QToolButton* main) {
    if (const int i = IndexOfMain(main); i >= 0) {
        m_focusIndex = i;
        m_state.ClickMainButton(i);
    }
    Sync();
}

void TWorkButtonsWidget::UpdateParts(Parts& parts, int index) {
    const TMultiButton& b = m_state.Buttons(index);
    const bool renamed = parts.Item != b.Name || parts.Main->accessibleName().isEmpty();
    parts.Item = b.Name;
    const QString name = FromCp932(b.Name);
    const QRect main = ToQRect(b.MainRect);
    QFont font = this->font();
    font.setBold(b.Bold);
    parts.Main->setFont(font);
    parts.Main->setText(FitButtonText(
        name, font, main.size() - QSize(2 * ButtonTextMarginX, 2 * ButtonTextMarginY)));
    parts.Main->setToolTip(name);
    {
        const QSignalBlocker quiet(parts.Main);
        parts.Main->setChecked(b.Down);
    }
    parts.Main->setGeometry(main);
    parts.Time->setText(FromCp932(b.TimeText));
    QPalette palette = parts.Time->palette();
    palette.setColor(QPalette::WindowText, b.TimeBlack ? QColor(0, 0, 0) : QColor(128, 128, 128));
    parts.Time->setPalette(palette);
    parts.Time->setGeometry(ToQRect(b.TimeRect));
    parts.Detail->setText(FromCp932(b.DetailCaption));
    parts.Detail->setEnabled(b.DetailEnabled);
    parts.Detail->setGeometry(ToQRect(b.DetailRect));
    if (renamed) // the names change with the item, not with the tick
        NameParts(parts, name);
    TellTime(parts, FromCp932(b.TimeText));
}

namespace {

// Qt tells the accessibility bus of every change it is given, the same
// value again included.
void SetAccessibleName(QWidget* widget, const QString& name) {
    if (widget->accessibleName() != name)
        widget->setAccessibleName(name);
}

} // namespace

void TWorkButtonsWidget::NameParts(const Parts& parts, const QString& name) {
    SetAccessibleName(parts.Main, name);
    SetAccessibleName(parts.Detail, name + QStringLiteral("を編集"));
    // A label without a name of its own tells the bus of each new text, one
    // a second for the running item: with a name it stays quiet, and the
    // item's button says the time (TellTime).
    SetAccessibleName(parts.Time, name + QStringLiteral("の時間"));
}

void TWorkButtonsWidget::TellTime(const Parts& parts, const QString& time) {
    // Exact when the focus comes to the button, else to the minute, so that
    // a screen reader is not told of every second.
    const QString said = parts.Main->accessibleDescription();
    const auto minutes = [](const QString& text) { return text.left(text.size() - 2); };
    if (said.isEmpty() || minutes(said) != minutes(time)) // once a minute
        parts.Main->setAccessibleDescription(time);
}

void TWorkButtonsWidget::Sync() {
    m_syncQueued = false;
    const int count = m_state.ButtonCount();
    while (static_cast<int>(m_parts.size()) > count) {
        const Parts& gone = m_parts.back();
        for (QWidget* w : {static_cast<QWidget*>(gone.Main), static_cast<QWidget*>(gone.Time),
                           static_cast<QWidget*>(gone.Detail)}) {
            w->hide();
            w->deleteLater(); // it may be the button whose click got us here
        }
        m_parts.pop_back();
    }
    while (static_cast<int>(m_parts.size()) < count)
        m_parts.push_back(CreateParts(static_cast<int>(m_parts.size())));
    for (int i = 0; i < count; ++i)
        UpdateParts(m_parts[static_cast<size_t>(i)], i);
    UpdateTabStop();
    // This widget paints only the cells' frames (or the hint of an empty
    // bar): a change of a text repaints its own control, and the whole
    // widget with every button in it only when a frame moves.
    std::vector<QRect> cells;
    cells.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        cells.push_back(ToQRect(m_state.Buttons(i).CellRect));
    if (cells != m_paintedCells) {
        m_paintedCells = std::move(cells);
        update();
    }
}

int TWorkButtonsWidget::FocusedItem() const {
    for (size_t i = 0; i < m_parts.size(); ++i)
        if (m_parts[i].Main->hasFocus())
            return static_cast<int>(i);
    return -1;
}

int TWorkButtonsWidget::FocusIndex() const {
    const int count = static_cast<int>(m_parts.size());
    if (const int focused = FocusedItem(); focused >= 0)
        return focused;
    if (count == 0)
        return -1;
    if (m_focusIndex >= 0)
        return std::min(m_focusIndex, count - 1);
    return std::max(m_state.ItemIndex(), 0);
}

void TWorkButtonsWidget::FocusItem(int i, Qt::FocusReason reason) {
    if (m_parts.empty())
        return;
    m_focusIndex = std::clamp(i, 0, static_cast<int>(m_parts.size()) - 1);
    UpdateTabStop();
    m_parts[static_cast<size_t>(m_focusIndex)].Main->setFocus(reason);
}

void TWorkButtonsWidget::UpdateTabStop() {
    // The items come before the tool bar in the tab chain, as one stop.
    const int stop = FocusIndex();
    QWidget* previous = this;
    for (size_t i = 0; i < m_parts.size(); ++i) {
        QToolButton* main = m_parts[i].Main;
        main->setFocusPolicy(static_cast<int>(i) == stop ? Qt::TabFocus : Qt::NoFocus);
        QWidget::setTabOrder(previous, main);
        previous = main;
    }
}

bool TWorkButtonsWidget::ItemKey(int index, int key) {
    const int last = static_cast<int>(m_parts.size()) - 1;
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Left:
        FocusItem(std::max(index - 1, 0), Qt::TabFocusReason);
        return true;
    case Qt::Key_Down:
    case Qt::Key_Right:
        FocusItem(std::min(index + 1, last), Qt::TabFocusReason);
        return true;
    case Qt::Key_Home:
        FocusItem(0, Qt::TabFocusReason);
        return true;
    case Qt::Key_End:
        FocusItem(last, Qt::TabFocusReason);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Space presses a button by itself; Enter takes the same road.
        m_parts[static_cast<size_t>(index)].Main->click();
        return true;
    default:
        return false;
    }
}

bool TWorkButtonsWidget::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn)
        if (const int i = IndexOfMain(qobject_cast<QToolButton*>(watched)); i >= 0)
            m_parts[static_cast<size_t>(i)].Main->setAccessibleDescription(
                m_parts[static_cast<size_t>(i)].Time->text());
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        for (size_t i = 0; i < m_parts.size(); ++i)
            if (m_parts[i].Main == watched && key->modifiers() == Qt::NoModifier)
                return ItemKey(static_cast<int>(i), key->key());
    }
    return QWidget::eventFilter(watched, event);
}

void TWorkButtonsWidget::resizeEvent(QResizeEvent*) {
    const TPoint taken = m_state.SetBounds(width(), height());
    if (taken.X != width() || taken.Y != height())
        resize(taken.X, taken.Y);
    Sync();
    for (int i = 0; Trace && i < m_state.ButtonCount(); ++i) {
        const QPoint at = mapTo(window(), ToQRect(m_state.Buttons(i).DetailRect).center());
        Trace("edit button " + Cp932ToUtf8(m_state.Buttons(i).Name) + " at " +
              std::to_string(at.x()) + "," + std::to_string(at.y()));
    }
}

QString EmptyBarHint() {
    return QStringLiteral("作業項目がありません。\n\n"
                          "ここをダブルクリックするか Ctrl+S で「オプション設定」を開き、"
                          "「作業項目」のページで名前を入れて「← 更新」を押し、"
                          "「更新」で閉じると、ここにボタンが並びます。");
}

void TWorkButtonsWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_state.ButtonCount() == 0) {
        // A new user starts without definitions: say how to add one.
        painter.setPen(palette().color(QPalette::PlaceholderText));
        painter.drawText(rect().adjusted(6, 6, -6, -6), Qt::AlignCenter | Qt::TextWordWrap,
                         EmptyBarHint());
        return;
    }
    // A raised one-pixel frame around every cell.
    const QColor light = palette().color(QPalette::Light);
    const QColor shadow = palette().color(QPalette::Dark);
    for (int i = 0; i < m_state.ButtonCount(); ++i) {
        const QRect r = ToQRect(m_state.Buttons(i).CellRect);
        if (r.isEmpty())
            continue;
        painter.setPen(light);
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(shadow);
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
    }
}

} // namespace zanpel
