#include "ui/data_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace kalvor {

QString findDataFile(const QString& name) {
    const QString bin = QCoreApplication::applicationDirPath();
    const QStringList folders = {
        bin,
        bin + QStringLiteral("/../share/kalvor"),
        QStringLiteral(KALVOR_RESOURCE_DIR),
    };
    for (const QString& folder : folders) {
        const QFileInfo file(QDir(folder).filePath(name));
        if (file.isFile()) return file.canonicalFilePath();
    }
    return {};
}

}  // namespace kalvor
