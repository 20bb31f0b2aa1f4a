#include "output/rtf_reader.h"

#include <QColor>
#include <QStringDecoder>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFormat>
#include <algorithm>
#include <array>
#include <cctype>
#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace kalvor {

namespace {

// Code page 1252 differs from Latin-1 only in 0x80-0x9F; 0 marks an unassigned byte.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

constexpr int kDefaultHalfPoints = 24;
constexpr int kMaxParameter = 1 << 24;

enum class Destination { Text, FontTable, ColourTable, Skip };

struct Characters {
    bool bold = false, italic = false, underline = false;
    int font = -1;
    int halfPoints = kDefaultHalfPoints;
    int colour = 0;
    bool operator==(const Characters&) const = default;
};

struct GroupState {
    Destination destination = Destination::Text;
    Characters chars;
    int unicodeSkip = 1;
    Qt::Alignment alignment = Qt::AlignLeft;
};

// Control words that open a group whose text is never shown.
bool skippedDestination(std::string_view word) {
    static const std::string_view kSkipped[] = {"stylesheet",
                                                "info",
                                                "pict",
                                                "header",
                                                "headerl",
                                                "headerr",
                                                "headerf",
                                                "footer",
                                                "footerl",
                                                "footerr",
                                                "footerf",
                                                "object",
                                                "themedata",
                                                "colorschememapping",
                                                "latentstyles",
                                                "datastore",
                                                "xmlnstbl",
                                                "listtable",
                                                "listoverridetable",
                                                "rsidtbl",
                                                "generator",
                                                "filetbl",
                                                "revtbl",
                                                "fldinst",
                                                "nonshppict",
                                                "footnote",
                                                "annotation",
                                                "pgdsctbl",
                                                "mmathPr"};
    for (std::string_view s : kSkipped)
        if (s == word) return true;
    return false;
}

char16_t specialCharacter(std::string_view word) {
    static const std::map<std::string_view, char16_t> kSpecial = {
        {"emdash", 0x2014},  {"endash", 0x2013},    {"bullet", 0x2022},    {"lquote", 0x2018},
        {"rquote", 0x2019},  {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"emspace", 0x2003},
        {"enspace", 0x2002}, {"line", 0x2028},      {"tab", u'\t'},        {"cell", u'\t'}};
    const auto it = kSpecial.find(word);
    return it == kSpecial.end() ? 0 : it->second;
}

class RtfReader {
public:
    RtfReader(std::string_view in, QTextDocument& document) : m_in(in), m_cursor(&document) {}

    void read() {
        while (m_pos < m_in.size()) {
            const char c = m_in[m_pos++];
            if (c == '{') {
                flushBytes();
                m_stack.push_back(m_state);
            } else if (c == '}') {
                endGroup();
            } else if (c == '\\') {
                control();
            } else if (c != '\r' && c != '\n') {
                textByte(static_cast<unsigned char>(c));
            }
        }
        flushBytes();
        flushRun();
    }

private:
    void endGroup() {
        flushBytes();
        if (m_state.destination == Destination::FontTable) storeFontName();
        if (m_stack.empty()) return;
        flushRun();
        m_state = m_stack.back();
        m_stack.pop_back();
    }

    void control() {
        if (m_pos >= m_in.size()) return;
        const char c = m_in[m_pos];
        if (!std::isalpha(static_cast<unsigned char>(c))) {
            ++m_pos;
            symbol(c);
            return;
        }
        const std::size_t start = m_pos;
        while (m_pos < m_in.size() && m_pos - start < 32 &&
               std::isalpha(static_cast<unsigned char>(m_in[m_pos])))
            ++m_pos;
        const std::string_view word = m_in.substr(start, m_pos - start);
        bool negative = false, hasParameter = false;
        long parameter = 0;
        if (m_pos < m_in.size() && m_in[m_pos] == '-') negative = true, ++m_pos;
        while (m_pos < m_in.size() && std::isdigit(static_cast<unsigned char>(m_in[m_pos]))) {
            hasParameter = true;
            parameter = std::min<long>(parameter * 10 + (m_in[m_pos++] - '0'), kMaxParameter);
        }
        if (m_pos < m_in.size() && m_in[m_pos] == ' ') ++m_pos;
        flushBytes();
        controlWord(word, hasParameter, static_cast<int>(negative ? -parameter : parameter));
    }

    void symbol(char c) {
        switch (c) {
            case '\'':
                hexByte();
                return;
            case '*':
                m_state.destination = Destination::Skip;
                return;
            case '~':
                character(0x00A0);
                return;
            case '_':
                character(0x2011);
                return;
            case '-':
                return;  // optional hyphen
            case '\r':
            case '\n':
                flushBytes();
                paragraph();
                return;
            default:
                flushBytes();
                character(static_cast<unsigned char>(c));
                return;
        }
    }

    void hexByte() {
        if (m_pos + 2 > m_in.size()) return;
        bool ok = false;
        const int value = QByteArray(m_in.data() + m_pos, 2).toInt(&ok, 16);
        m_pos += 2;
        if (ok) textByte(static_cast<unsigned char>(value), true);
    }

    void controlWord(std::string_view word, bool hasParameter, int parameter) {
        GroupState& s = m_state;
        Characters& c = s.chars;
        const bool on = !hasParameter || parameter != 0;
        if (word == "fonttbl")
            s.destination = Destination::FontTable;
        else if (word == "colortbl")
            s.destination = Destination::ColourTable;
        else if (skippedDestination(word))
            s.destination = Destination::Skip;
        else if (word == "bin")
            m_pos = std::min(m_in.size(), m_pos + std::max(parameter, 0));
        else if (s.destination == Destination::ColourTable)
            colourComponent(word, parameter);
        else if (s.destination == Destination::FontTable) {
            if (word == "f") storeFontName(), m_fontIndex = parameter;
        } else if (word == "ansicpg")
            setCodePage(parameter);
        else if (word == "deff")
            m_defaultFont = parameter;
        else if (word == "uc")
            s.unicodeSkip = std::max(parameter, 0);
        else if (word == "u")
            unicode(parameter);
        else if (word == "par" || word == "row" || word == "page" || word == "sect")
            paragraph();
        else if (word == "pard")
            s.alignment = Qt::AlignLeft;
        else if (word == "ql")
            s.alignment = Qt::AlignLeft;
        else if (word == "qc")
            s.alignment = Qt::AlignHCenter;
        else if (word == "qr")
            s.alignment = Qt::AlignRight;
        else if (word == "qj")
            s.alignment = Qt::AlignJustify;
        else if (word == "plain")
            plain();
        else if (word == "b")
            c.bold = on;
        else if (word == "i")
            c.italic = on;
        else if (word == "ulnone")
            c.underline = false;
        else if (word.starts_with("ul") && word != "ulc" && word.size() <= 6)
            c.underline = on;
        else if (word == "f")
            c.font = parameter;
        else if (word == "fs")
            c.halfPoints = parameter > 0 ? parameter : kDefaultHalfPoints;
        else if (word == "cf")
            c.colour = parameter;
        else if (const char16_t special = specialCharacter(word))
            character(special);
    }

    void plain() { m_state.chars = {}; }

    void setCodePage(int page) {
        m_utf8 = page == 65001;
        m_decoder.reset();
        if (page != 1252 && !m_utf8) {
            auto decoder = std::make_unique<QStringDecoder>(
                QStringLiteral("windows-%1").arg(page).toLatin1().constData());
            if (decoder->isValid()) m_decoder = std::move(decoder);
        }
    }

    void colourComponent(std::string_view word, int value) {
        const int v = std::clamp(value, 0, 255);
        if (word == "red")
            m_red = v, m_colourSet = true;
        else if (word == "green")
            m_green = v, m_colourSet = true;
        else if (word == "blue")
            m_blue = v, m_colourSet = true;
    }

    void unicode(int value) {
        if (value < 0) value += 65536;
        if (value > 0 && value < 65536) character(static_cast<char16_t>(value));
        m_skip = m_state.unicodeSkip;
    }

    // A raw byte or an escaped one: bytes are gathered and decoded together, so that UTF-8
    // sequences and multi-byte code pages come out whole.
    void textByte(unsigned char byte, bool escaped = false) {
        if (m_skip > 0) {
            --m_skip;
            return;
        }
        if (!escaped && byte < 0x80) {
            flushBytes();
            character(byte);
            return;
        }
        m_bytes.push_back(static_cast<char>(byte));
    }

    void flushBytes() {
        if (m_bytes.isEmpty()) return;
        const QByteArray bytes = std::exchange(m_bytes, {});
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString asUtf8 = utf8(bytes);
        if (m_utf8 || !utf8.hasError()) return appendText(asUtf8);
        if (m_decoder) return appendText((*m_decoder)(bytes));
        for (char b : bytes) {
            const auto u = static_cast<unsigned char>(b);
            const char16_t c = u >= 0x80 && u < 0xA0 ? kCp1252High[u - 0x80] : u;
            if (c) character(c);
        }
    }

    void character(char16_t c) {
        if (c == u';' && m_state.destination == Destination::ColourTable) return storeColour();
        if (c == u';' && m_state.destination == Destination::FontTable) return storeFontName();
        appendText(QString(QChar(c)));
    }

    void appendText(const QString& text) {
        switch (m_state.destination) {
            case Destination::Text:
                if (!(m_runChars == m_state.chars)) {
                    flushRun();
                    m_runChars = m_state.chars;
                }
                m_run += text;
                return;
            case Destination::FontTable:
                m_fontName += text;
                return;
            case Destination::ColourTable:
            case Destination::Skip:
                return;
        }
    }

    QTextCharFormat format(const Characters& c) const {
        QTextCharFormat f;
        f.setFontWeight(c.bold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(c.italic);
        f.setFontUnderline(c.underline);
        f.setFontPointSize(c.halfPoints / 2.0);
        const auto font = m_fonts.find(c.font < 0 ? m_defaultFont : c.font);
        if (font != m_fonts.end()) f.setFontFamilies({font->second});
        if (c.colour > 0 && c.colour < static_cast<int>(m_colours.size()) &&
            m_colours[c.colour].isValid())
            f.setForeground(m_colours[c.colour]);
        return f;
    }

    void flushRun() {
        if (m_run.isEmpty()) return;
        m_cursor.insertText(m_run, format(m_runChars));
        m_run.clear();
        applyAlignment();
    }

    void paragraph() {
        if (m_state.destination != Destination::Text) return;
        flushRun();
        applyAlignment();
        m_cursor.insertBlock();
    }

    void applyAlignment() {
        QTextBlockFormat block = m_cursor.blockFormat();
        block.setAlignment(m_state.alignment);
        m_cursor.setBlockFormat(block);
    }

    void storeColour() {
        m_colours.push_back(m_colourSet ? QColor(m_red, m_green, m_blue) : QColor());
        m_red = m_green = m_blue = 0;
        m_colourSet = false;
    }

    void storeFontName() {
        const QString name = m_fontName.trimmed();
        if (m_fontIndex >= 0 && !name.isEmpty()) m_fonts[m_fontIndex] = name;
        m_fontName.clear();
    }

    std::string_view m_in;
    std::size_t m_pos = 0;
    QTextCursor m_cursor;
    GroupState m_state;
    std::vector<GroupState> m_stack;
    QString m_run;
    Characters m_runChars;
    QByteArray m_bytes;
    int m_skip = 0;
    bool m_utf8 = false;
    std::unique_ptr<QStringDecoder> m_decoder;
    std::map<int, QString> m_fonts;
    int m_fontIndex = -1, m_defaultFont = 0;
    QString m_fontName;
    std::vector<QColor> m_colours;
    int m_red = 0, m_green = 0, m_blue = 0;
    bool m_colourSet = false;
};

}  // namespace

bool readRtf(std::string_view rtf, QTextDocument& document) {
    document.clear();
    if (!rtf.starts_with("{\\rtf")) return false;
    RtfReader(rtf, document).read();
    return true;
}

}  // namespace kalvor
