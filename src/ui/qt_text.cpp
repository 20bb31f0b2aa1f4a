#include "ui/qt_text.h"

#include <QStringDecoder>

namespace kalvor {

QString withLineFeeds(std::string_view text) {
    QString result = toQString(text);
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    result.replace(QChar('\r'), QChar('\n'));
    return result;
}

QString decodeFileLine(const std::string& line) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = utf8(QByteArrayView(line.data(), static_cast<qsizetype>(line.size())));
    if (!utf8.hasError()) return decoded;
    return QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size()));
}

namespace {

// The longest start of `line` that fits: up to its last separator when it has one, else as
// many characters as fit (at least one, so that wrapping always moves on).
qsizetype fittingLength(const QString& line, int maxWidth,
                        const std::function<int(const QString&)>& widthOf) {
    qsizetype fits = 1;
    while (fits < line.size() && widthOf(line.left(fits + 1)) <= maxWidth)
        ++fits;
    if (fits == line.size()) return fits;
    for (qsizetype i = fits; i > 0; --i)
        if (QStringLiteral(";|,").contains(line[i - 1])) return i;
    return fits;
}

}  // namespace

QString wrapToWidth(const QString& text, int maxWidth,
                    const std::function<int(const QString&)>& widthOf) {
    QStringList wrapped;
    for (QString line : text.split(QChar('\n'))) {
        while (line.size() > 1 && widthOf(line) > maxWidth) {
            const qsizetype cut = fittingLength(line, maxWidth, widthOf);
            wrapped << line.left(cut);
            line = line.mid(cut);
        }
        wrapped << line;
    }
    return wrapped.join(QChar('\n'));
}

QStringList toQStringList(const std::vector<std::string>& lines) {
    QStringList result;
    result.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string& line : lines)
        result << toQString(line);
    return result;
}

std::vector<std::string> toStdLines(const QStringList& lines) {
    std::vector<std::string> result;
    result.reserve(static_cast<std::size_t>(lines.size()));
    for (const QString& line : lines)
        result.push_back(toStdString(line));
    return result;
}

std::vector<std::string> linesOfText(const QString& text) {
    if (text.isEmpty()) return {};
    return toStdLines(text.split(QChar('\n')));
}

}  // namespace kalvor
