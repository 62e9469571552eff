#include "app/programfont.h"

#include <QApplication>
#include <QFontDatabase>

namespace zanpel {

void ApplyProgramFont(QApplication& app) {
    const QStringList families = QFontDatabase::families();
    const QString preferred = QStringLiteral("ＭＳ Ｐゴシック");
    QFont font(families.contains(preferred) ? preferred : QStringLiteral("IPAPGothic"));
    font.setPixelSize(12);
    app.setFont(font);
}

} // namespace zanpel
