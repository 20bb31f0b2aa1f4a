#pragma once

#include <QSyntaxHighlighter>
#include <QTextCharFormat>
#include <array>

#include "lang/source_lines.h"

namespace kalvor {

/// Colours a program's lines by the parts the language layer finds in them: command names,
/// setting lines, comments, text variables and numbers.
class SourceHighlighter : public QSyntaxHighlighter {
    Q_OBJECT

public:
    explicit SourceHighlighter(const SourceVocabulary& vocabulary, QObject* parent = nullptr);

    const QTextCharFormat& format(SpanKind kind) const {
        return m_formats.at(static_cast<std::size_t>(kind));
    }

protected:
    void highlightBlock(const QString& text) override;

private:
    const SourceVocabulary& m_vocabulary;
    std::array<QTextCharFormat, 5> m_formats;
};

}  // namespace kalvor
