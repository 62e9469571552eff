#include "app/programicon.h"

#include "app/version.h"

#include <QDir>
#include <QImageReader>
#include <QPixmap>

namespace zanpel {

QIcon ProgramIcon() {
    QIcon icon;
    // One folder per size, as the build draws them. The format is named:
    // QIcon::addFile would find it by asking every image plugin, loading
    // them all (GIF, JPEG, SVG...) into the process.
    const QDir sizes(QStringLiteral(":/icons"));
    const QString file = QString::fromLatin1(DesktopId) + QStringLiteral(".png");
    for (const QString& size : sizes.entryList(QDir::Dirs)) {
        QImageReader reader(sizes.filePath(size + QLatin1Char('/') + file), "png");
        const QImage image = reader.read();
        if (!image.isNull())
            icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

} // namespace zanpel
