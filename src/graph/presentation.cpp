#include "graph/presentation.h"

#include <QTextCursor>
#include <QTextBlock>
#include <QTextDocument>

namespace kalvor {

std::vector<std::string> takeProgramPart(QTextDocument& document) {
    QTextCursor marker = document.find(
        QString::fromUtf8(kProgramMarker.data(), static_cast<int>(kProgramMarker.size())), 0,
        QTextDocument::FindCaseSensitively);
    if (marker.isNull()) return {};
    QTextCursor program(&document);
    program.setPosition(marker.selectionStart());
    program.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    QString text = program.selectedText();
    program.removeSelectedText();
    // The paragraph break before the marker belongs to the program part, not to the lesson.
    QTextCursor end(&document);
    end.movePosition(QTextCursor::End);
    if (end.block().text().isEmpty() && end.position() > 0) end.deletePreviousChar();
    text.replace(QChar::ParagraphSeparator, u'\n').replace(QChar::LineSeparator, u'\n');
    std::vector<std::string> lines;
    for (const QString& line : text.split(u'\n')) {
        QString cleaned = line;
        if (cleaned.endsWith(u'\r')) cleaned.chop(1);
        lines.push_back(cleaned.toStdString());
    }
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();
    return lines;
}

std::optional<std::string> linkedPresentation(std::string_view line) {
    const QString trimmed = QString::fromUtf8(line.data(), static_cast<int>(line.size())).trimmed();
    const int at = trimmed.indexOf(QLatin1String(".rtf"));
    if (at < 0) return std::nullopt;
    const QString upToName = trimmed.left(at + 4);
    const QString name = upToName.mid(upToName.lastIndexOf(u' ') + 1).trimmed();
    return name.toStdString();
}

}  // namespace kalvor
