#pragma once

#include <QString>
#include <optional>
#include <string>

namespace kalvor {

/// The two documents of the editor's "&Documentatie" menu, built into the executable.
inline const QString kIntroductionDocument = QStringLiteral("introductie.doc");
inline const QString kExamplesDocument = QStringLiteral("voorbeelden.doc");

/// The path of a shipped document in the startup folder. A document that is not there yet
/// is first written there from the built-in copy (or, when that folder cannot be written, to
/// the temporary folder); nothing when the name is not a shipped document.
std::optional<QString> shippedDocument(const QString& startupFolder, const QString& name);

/// The box when a shipped document cannot be found or written.
std::string documentMissingMessage(const std::string& name);
/// The box when the desktop has no application that opens the document.
std::string noDocumentViewerMessage(const std::string& path);

}  // namespace kalvor
