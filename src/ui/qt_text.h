#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kalvor {

/// Core texts are UTF-8; older program and output files may be in a single-byte code page.
inline QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string toStdString(const QString& text) {
    return text.toStdString();
}

/// Message texts break lines with CR (as programs write them); widgets want LF.
QString withLineFeeds(std::string_view text);

/// A line read from a file: UTF-8 when it is valid UTF-8, otherwise Latin-1, so a file from a
/// single-byte system still shows its accented letters.
QString decodeFileLine(const std::string& line);

/// `text` with its lines broken further so that each fits `maxWidth` as `widthOf` measures
/// it: after a ";", "|" or "," where one is near enough, anywhere when a piece has none.
QString wrapToWidth(const QString& text, int maxWidth,
                    const std::function<int(const QString&)>& widthOf);

QStringList toQStringList(const std::vector<std::string>& lines);
std::vector<std::string> toStdLines(const QStringList& lines);

/// The lines of a plain text edit; an empty edit has no lines.
std::vector<std::string> linesOfText(const QString& text);

}  // namespace kalvor
