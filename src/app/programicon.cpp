#include "app/programicon.h"

#include "app/version.h"

#include <QDir>
#include <QImageReader>
#include <QPixmap>

namespace zanpel {

QIcon ProgramIcon() {
    QIcon icon;
    // One folder per size, as the build draws them. The format is named and
    // taken as it is: QIcon::addFile, or a reader left to check the format,
    // would ask every image plugin, loading them all (GIF, JPEG, SVG...)
    // into the process.
    const QDir sizes(QStringLiteral(":/icons"));
    const QString file = QString::fromLatin1(DesktopId) + QStringLiteral(".png");
    for (const QString& size : sizes.entryList(QDir::Dirs)) {
        QImageReader reader(sizes.filePath(size + QLatin1Char('/') + file), "png");
        reader.setAutoDetectImageFormat(false);
        const QImage image = reader.read();
        if (!image.isNull())
            icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

} // namespace zanpel
