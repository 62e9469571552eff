#include "app/barcaption.h"

namespace zanpel {
namespace {

constexpr int CaptionMargin = 3;    // the strip's bevel and a little air
constexpr int MinCaptionPixels = 7; // smaller than this nobody reads

} // namespace

TBarCaption::TBarCaption(QWidget* bar) : TBevelLabel(bar) {
    setObjectName("Label1");
    SetSingleLine(true);
    SetAlignment(Qt::AlignCenter);
    SetBevelOuter(TBevelCut::bvSpace);
    SetColor(bar->palette().color(QPalette::Highlight));
    SetFontColor(Qt::white);
}

QString TBarCaption::ShowDate(DayNumber today) {
    m_shownDay = today;
    const CivilDate d = DecodeDate(today);
    const QString text = QString::asprintf("%02d月%02d日 ", d.Month, d.Day);
    SetCaption(text);
    FitText();
    return text;
}

void TBarCaption::ShowPosition(QPoint onScreen) {
    SetCaption(QString::asprintf("(%d,%d)", onScreen.x(), onScreen.y()));
    FitText();
}

void TBarCaption::FitText() {
    // A horizontal bar's caption runs across its thickness, turned: there is
    // little room for the date.
    const bool turned = TextRotate() == TTextRotate::trLeft;
    const int room = (turned ? height() : width()) - 2 * CaptionMargin;
    QFont font = parentWidget()->font();
    for (int pixels = QFontInfo(font).pixelSize();
         pixels > MinCaptionPixels && QFontMetrics(font).horizontalAdvance(Caption()) > room;)
        font.setPixelSize(--pixels);
    setFont(font);
}

} // namespace zanpel
