#include "ui/documentation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kalvor {

namespace {

// Writes the built-in copy into `folder`; the copy is left as the person may change it.
std::optional<QString> writeBuiltIn(const QString& builtIn, const QString& folder,
                                    const QString& name) {
    const QString target = QDir(folder).filePath(name);
    QFile::remove(target);
    if (!QFile::copy(builtIn, target)) return std::nullopt;
    QFile::setPermissions(
        target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    return target;
}

}  // namespace

std::optional<QString> shippedDocument(const QString& startupFolder, const QString& name) {
    const QString builtIn = QStringLiteral(":/docs/") + name;
    if (name.contains('/') || !QFileInfo::exists(builtIn)) return std::nullopt;
    const QString inStartup = QDir(startupFolder).filePath(name);
    if (QFileInfo(inStartup).isFile()) return inStartup;
    if (auto written = writeBuiltIn(builtIn, startupFolder, name)) return written;
    const QString temporary = QDir::temp().filePath(QStringLiteral("kalvor-documentatie"));
    QDir().mkpath(temporary);
    return writeBuiltIn(builtIn, temporary, name);
}

std::string documentMissingMessage(const std::string& name) {
    return "Het document " + name +
           " is niet gevonden en kon ook niet in de startmap of de tijdelijke map worden "
           "gezet.";
}

std::string noDocumentViewerMessage(const std::string& path) {
    return "Er is geen programma gevonden dat " + path +
           " kan openen. Installeer een tekstverwerker die RTF-documenten opent (bijvoorbeeld "
           "LibreOffice Writer) en probeer het opnieuw, of open het bestand zelf.";
}

}  // namespace kalvor
