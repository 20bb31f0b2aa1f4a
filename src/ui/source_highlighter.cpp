#include "ui/source_highlighter.h"

#include <vector>

namespace kalvor {

namespace {

QTextCharFormat coloured(const QColor& colour, bool bold = false, bool italic = false) {
    QTextCharFormat format;
    format.setForeground(colour);
    if (bold) format.setFontWeight(QFont::Bold);
    format.setFontItalic(italic);
    return format;
}

// For each byte of the UTF-8 text, the position of its character in the QString.
std::vector<int> characterOfByte(const QString& text, std::size_t bytes) {
    std::vector<int> positions;
    positions.reserve(bytes + 1);
    for (int i = 0; i < text.size(); ++i) {
        const int width = text.mid(i, text[i].isHighSurrogate() ? 2 : 1).toUtf8().size();
        positions.insert(positions.end(), static_cast<std::size_t>(width), i);
        if (text[i].isHighSurrogate()) ++i;
    }
    positions.push_back(static_cast<int>(text.size()));
    return positions;
}

}  // namespace

SourceHighlighter::SourceHighlighter(const SourceVocabulary& vocabulary, QObject* parent)
    : QSyntaxHighlighter(parent), m_vocabulary(vocabulary) {
    // In the order of SpanKind.
    m_formats = {coloured(QColor(0, 0, 160), true), coloured(QColor(128, 0, 128)),
                 coloured(QColor(0, 120, 0), false, true), coloured(QColor(0, 110, 130)),
                 coloured(QColor(170, 70, 0))};
}

void SourceHighlighter::highlightBlock(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    const std::vector<SourceSpan> spans =
        m_vocabulary.spans(std::string_view(bytes.constData(), bytes.size()));
    if (spans.empty()) return;
    const bool ascii = bytes.size() == text.size();
    const std::vector<int> positions =
        ascii ? std::vector<int>{} : characterOfByte(text, bytes.size());
    auto at = [&](std::size_t byte) { return ascii ? static_cast<int>(byte) : positions[byte]; };
    for (const SourceSpan& span : spans) {
        const int start = at(span.start);
        setFormat(start, at(span.start + span.length) - start, format(span.kind));
    }
}

}  // namespace kalvor
