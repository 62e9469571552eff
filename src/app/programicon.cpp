#include "app/programicon.h"

#include "app/version.h"

#include <QDir>

namespace zanpel {

QIcon ProgramIcon() {
    QIcon icon;
    // One folder per size, as the build draws them.
    const QDir sizes(QStringLiteral(":/icons"));
    const QString file = QString::fromLatin1(DesktopId) + QStringLiteral(".png");
    for (const QString& size : sizes.entryList(QDir::Dirs))
        icon.addFile(sizes.filePath(size + QLatin1Char('/') + file));
    return icon;
}

} // namespace zanpel
