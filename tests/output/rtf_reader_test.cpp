#include <gtest/gtest.h>

#include <QFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "output/rtf_reader.h"

namespace kalvor {
namespace {

// The character format at the first occurrence of `text` in the document.
QTextCharFormat formatAt(QTextDocument& d, const QString& text) {
    QTextCursor c = d.find(text);
    if (c.isNull()) return {};
    c.setPosition(c.selectionStart() + 1);
    return c.charFormat();
}

// The text as shown, with paragraph and line breaks as "\n" and no blank replaced.
QString shownText(const QTextDocument& d) {
    QString text = d.toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n').replace(QChar::LineSeparator, u'\n');
    return text;
}

struct TextRow {
    const char* name;
    const char* rtf;
    const char* text;
};

TEST(RtfReader, ShownTextOfEachConstruct) {
    const TextRow rows[] = {
        {"paragraphs and tabs", R"({\rtf1 een\par twee\tab drie\line vier})",
         "een\ntwee\tdrie\nvier"},
        {"code page 1252 escapes", R"({\rtf1\ansi\ansicpg1252 caf\'e9 \'80 \'93x\'94})",
         "café € “x”"},
        {"unicode with fallback", R"({\rtf1 caf\u233?\uc2\u8364 EU!})", "café€!"},
        {"unicode without fallback", R"({\rtf1\uc0 \u-3904 x})", "\uF0C0x"},
        {"raw UTF-8", "{\\rtf1 \xC3\xA9\xC3\xA9n \xE2\x82\xAC}", "één €"},
        {"UTF-8 code page escapes", R"({\rtf1\ansicpg65001 \'c3\'a9!})", "é!"},
        {"escaped symbols", R"({\rtf1 a\{b\}c\\d\~e})", "a{b}c\\d\u00A0e"},
        {"named characters", R"({\rtf1 \ldblquote x\rdblquote\emdash y\bullet})", "“x”—y•"},
        {"ignorable destinations", R"({\rtf1 a{\*\generator Writer;}{\*\bkmkstart z}b})", "ab"},
        {"tables and information",
         R"({\rtf1{\fonttbl{\f0 Arial;}}{\colortbl;\red1\green2\blue3;}{\stylesheet{\s0 Normal;}})"
         R"({\info{\title Titel}}x})",
         "x"},
        {"pictures and binary data", R"({\rtf1 x{\pict\pngblip 89504e47}{\pict\bin3 }{a}y})", "xy"},
        {"field shows its result", R"({\rtf1 {\field{\*\fldinst HYPERLINK "u"}{\fldrslt link}}})",
         "link"},
        {"table cells and rows", R"({\rtf1 a\cell b\cell\row c})", "a\tb\t\nc"},
        {"escaped line end is a paragraph", "{\\rtf1 a\\\nb}", "a\nb"},
        {"truncated input keeps what came", R"({\rtf1 {\b abc)", "abc"},
        {"extra closing braces", R"({\rtf1 a}}}b)", "ab"},
        {"huge parameters", R"({\rtf1 \fs99999999999 \u99999999999 ?x\bin99999999999})", "x"},
    };
    for (const TextRow& row : rows) {
        QTextDocument d;
        ASSERT_TRUE(readRtf(row.rtf, d)) << row.name;
        EXPECT_EQ(shownText(d), QString::fromUtf8(row.text)) << row.name;
    }
}

TEST(RtfReader, NotRichTextLeavesTheDocumentEmpty) {
    QTextDocument d;
    d.setPlainText("oud");
    EXPECT_FALSE(readRtf("gewone tekst", d));
    EXPECT_TRUE(d.isEmpty());
}

TEST(RtfReader, CharacterFormatsFollowGroupsAndTables) {
    QTextDocument d;
    ASSERT_TRUE(readRtf(R"({\rtf1\deff0{\fonttbl{\f0\fswiss Arial;}{\f1\froman\fprq2 Times)"
                        R"( New Roman;}}{\colortbl;\red255\green0\blue0;\red0\green0\blue255;})"
                        R"(\fs20 gewoon {\b vet {\i schuin}} {\ul onder\ulnone niet} )"
                        R"({\f1\fs36\cf2 blauw} \cf1 rood\plain kaal})",
                        d));
    const struct {
        const char* word;
        bool bold, italic, underline;
        const char* family;
        double points;
        QColor colour;  // invalid: the default
    } rows[] = {
        {"gewoon", false, false, false, "Arial", 10, {}},
        {"vet", true, false, false, "Arial", 10, {}},
        {"schuin", true, true, false, "Arial", 10, {}},
        {"onder", false, false, true, "Arial", 10, {}},
        {"niet", false, false, false, "Arial", 10, {}},
        {"blauw", false, false, false, "Times New Roman", 18, QColor(0, 0, 255)},
        {"rood", false, false, false, "Arial", 10, QColor(255, 0, 0)},
        {"kaal", false, false, false, "Arial", 12, {}},
    };
    for (const auto& row : rows) {
        const QTextCharFormat f = formatAt(d, row.word);
        EXPECT_EQ(f.fontWeight() == QFont::Bold, row.bold) << row.word;
        EXPECT_EQ(f.fontItalic(), row.italic) << row.word;
        EXPECT_EQ(f.fontUnderline(), row.underline) << row.word;
        EXPECT_EQ(f.fontFamilies().toStringList(), QStringList{row.family}) << row.word;
        EXPECT_EQ(f.fontPointSize(), row.points) << row.word;
        EXPECT_EQ(f.hasProperty(QTextFormat::ForegroundBrush), row.colour.isValid()) << row.word;
        if (row.colour.isValid()) EXPECT_EQ(f.foreground().color(), row.colour) << row.word;
    }
}

TEST(RtfReader, ParagraphAlignment) {
    QTextDocument d;
    ASSERT_TRUE(readRtf(R"({\rtf1\qc midden\par\pard links\par\qr rechts})", d));
    ASSERT_EQ(d.blockCount(), 3);
    EXPECT_EQ(d.findBlockByNumber(0).blockFormat().alignment(), Qt::AlignHCenter);
    EXPECT_EQ(d.findBlockByNumber(1).blockFormat().alignment(), Qt::AlignLeft);
    EXPECT_EQ(d.findBlockByNumber(2).blockFormat().alignment(), Qt::AlignRight);
}

// Files as word processors write them: the shown text must come through whole.
TEST(RtfReader, FilesFromWordProcessors) {
    const struct {
        const char* file;
        std::vector<const char*> contains;
        std::vector<const char*> absent;
    } rows[] = {
        {"writer_sample.rtf",
         {"Parabolen", "vet", "rood", "één", "Cel B2"},
         {"Times New Roman;", "panose", "\\"}},
        {"wordpad_sample.rtf", {"Één brief", "geïnteresseerd", "€ 12,50", "Groeten"}, {"\\", ";"}},
    };
    for (const auto& row : rows) {
        QFile file(QStringLiteral(KALVOR_TEST_DATA "/") + row.file);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << row.file;
        const QByteArray bytes = file.readAll();
        QTextDocument d;
        ASSERT_TRUE(readRtf(std::string_view(bytes.constData(), bytes.size()), d)) << row.file;
        const QString text = d.toPlainText();
        for (const char* s : row.contains)
            EXPECT_TRUE(text.contains(QString::fromUtf8(s))) << row.file << ": " << s;
        for (const char* s : row.absent)
            EXPECT_FALSE(text.contains(QString::fromUtf8(s))) << row.file << ": " << s;
    }
}

}  // namespace
}  // namespace kalvor
