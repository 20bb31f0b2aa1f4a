#include "ui/source_editor.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>

namespace kalvor {

namespace {

constexpr int kMarginPadding = 6;
constexpr int kMinimumPrefix = 2;
const QColor kStoppedBackground(255, 214, 214);
const QColor kUnderlineColour(Qt::red);

// Characters that end the command name: what follows is arguments, a comment or a value.
bool endsCommandName(QChar c) {
    return c == u'(' || c == u';' || c == u':' || c == u'=' || c == u'%' || c == u' ' || c == u'\t';
}

QTextEdit::ExtraSelection lineSelection(QTextDocument* document, int block,
                                        const QTextCharFormat& format) {
    QTextEdit::ExtraSelection selection;
    selection.cursor = QTextCursor(document->findBlockByNumber(block));
    selection.format = format;
    return selection;
}

}  // namespace

/// The margin left of the text that shows the line numbers.
class LineNumberMargin : public QWidget {
public:
    explicit LineNumberMargin(SourceEditor* editor) : QWidget(editor), m_editor(editor) {}
    QSize sizeHint() const override { return {m_editor->lineNumberWidth(), 0}; }

protected:
    void paintEvent(QPaintEvent* event) override { m_editor->paintLineNumbers(event); }

private:
    SourceEditor* m_editor;
};

SourceEditor::SourceEditor(QWidget* parent)
    : QPlainTextEdit(parent), m_margin(new LineNumberMargin(this)) {
    connect(this, &QPlainTextEdit::blockCountChanged, this, &SourceEditor::updateMargin);
    connect(this, &QPlainTextEdit::updateRequest, this, &SourceEditor::scrollMargin);
    updateMargin();
}

// ---- Line numbers ------------------------------------------------------------------------------

int SourceEditor::lineNumberWidth() const {
    if (!m_lineNumbers) return 0;
    const int digits = QString::number(std::max(1, blockCount())).size();
    return 2 * kMarginPadding + fontMetrics().horizontalAdvance(QLatin1Char('9')) * digits;
}

void SourceEditor::setLineNumbersShown(bool shown) {
    m_lineNumbers = shown;
    m_margin->setVisible(shown);
    updateMargin();
}

void SourceEditor::updateMargin() {
    setViewportMargins(lineNumberWidth(), 0, 0, 0);
    const QRect area = contentsRect();
    m_margin->setGeometry(area.left(), area.top(), lineNumberWidth(), area.height());
}

void SourceEditor::scrollMargin(const QRect& rect, int dy) {
    if (dy != 0)
        m_margin->scroll(0, dy);
    else
        m_margin->update(0, rect.y(), m_margin->width(), rect.height());
}

void SourceEditor::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    updateMargin();
}

void SourceEditor::paintLineNumbers(QPaintEvent* event) {
    QPainter painter(m_margin);
    painter.fillRect(event->rect(), palette().color(QPalette::AlternateBase));
    painter.setPen(palette().color(QPalette::PlaceholderText));
    const int width = m_margin->width() - kMarginPadding;
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
        const QRectF box = blockBoundingGeometry(block).translated(contentOffset());
        if (box.top() > event->rect().bottom()) break;
        if (block.isVisible() && box.bottom() >= event->rect().top())
            painter.drawText(0, qRound(box.top()), width, fontMetrics().height(), Qt::AlignRight,
                             QString::number(block.blockNumber() + 1));
    }
}

// ---- Marked lines ------------------------------------------------------------------------------

void SourceEditor::setUnderlinedLines(const std::vector<int>& blocks) {
    QTextCharFormat format;
    format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    format.setUnderlineColor(kUnderlineColour);
    m_underlines.clear();
    for (int block : blocks) {
        QTextEdit::ExtraSelection selection = lineSelection(document(), block, format);
        selection.cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        m_underlines.append(selection);
    }
    refreshSelections();
}

std::vector<int> SourceEditor::underlinedLines() const {
    std::vector<int> blocks;
    for (const QTextEdit::ExtraSelection& selection : m_underlines)
        blocks.push_back(selection.cursor.blockNumber());
    return blocks;
}

void SourceEditor::setStoppedLine(int block) {
    m_stopped.clear();
    if (block >= 0 && block < blockCount()) {
        QTextCharFormat format;
        format.setBackground(kStoppedBackground);
        format.setProperty(QTextFormat::FullWidthSelection, true);
        m_stopped.append(lineSelection(document(), block, format));
        setTextCursor(QTextCursor(document()->findBlockByNumber(block)));
        centerCursor();
    }
    refreshSelections();
}

int SourceEditor::stoppedLine() const {
    return m_stopped.isEmpty() ? -1 : m_stopped.front().cursor.blockNumber();
}

void SourceEditor::refreshSelections() {
    setExtraSelections(m_stopped + m_underlines);
}

// ---- Completion --------------------------------------------------------------------------------

void SourceEditor::setCompleter(QCompleter* completer) {
    m_completer = completer;
    completer->setWidget(this);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    connect(completer, qOverload<const QString&>(&QCompleter::activated), this,
            &SourceEditor::insertCompletion);
}

// The text typed so far as a command name: from the first non-blank of the line to the
// caret, when nothing in it ends a name. Empty anywhere else.
QString SourceEditor::commandPrefix() const {
    const QTextCursor caret = textCursor();
    const QString before = caret.block().text().left(caret.positionInBlock());
    const QString word = before.trimmed();
    if (word.isEmpty() || before.endsWith(u' ') || word.startsWith(u'&')) return {};
    for (QChar c : word)
        if (endsCommandName(c)) return {};
    return word;
}

void SourceEditor::offerCompletions(bool asked) {
    QAbstractItemView* popup = m_completer->popup();
    const QString prefix = commandPrefix();
    if (prefix.isEmpty() || (!asked && prefix.size() < kMinimumPrefix)) {
        popup->hide();
        return;
    }
    m_completer->setCompletionPrefix(prefix);
    if (m_completer->completionCount() == 0) {
        popup->hide();
        return;
    }
    popup->setCurrentIndex(m_completer->completionModel()->index(0, 0));
    QRect place = cursorRect();
    place.translate(viewportMargins().left(), 0);
    place.setWidth(popup->sizeHintForColumn(0) + popup->verticalScrollBar()->sizeHint().width());
    m_completer->complete(place);
}

void SourceEditor::insertCompletion(const QString& name) {
    QTextCursor caret = textCursor();
    caret.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor,
                       static_cast<int>(m_completer->completionPrefix().size()));
    caret.insertText(name);
    setTextCursor(caret);
}

void SourceEditor::keyPressEvent(QKeyEvent* event) {
    const bool active = m_completer && m_completionEnabled;
    QAbstractItemView* popup = m_completer ? m_completer->popup() : nullptr;
    const bool enter = event->key() == Qt::Key_Enter || event->key() == Qt::Key_Return;
    // A name typed in full ends its line as usual.
    if (active && popup->isVisible() && enter &&
        popup->currentIndex().data().toString() == commandPrefix())
        popup->hide();
    if (active && popup->isVisible()) {
        // The popup chooses with these keys itself.
        switch (event->key()) {
            case Qt::Key_Enter:
            case Qt::Key_Return:
            case Qt::Key_Escape:
            case Qt::Key_Tab:
            case Qt::Key_Backtab:
                event->ignore();
                return;
            default:
                break;
        }
    }
    const bool asked = event->key() == Qt::Key_Space && event->modifiers() == Qt::ControlModifier;
    if (!asked) QPlainTextEdit::keyPressEvent(event);
    if (!active) return;
    const bool typed = !event->text().isEmpty() && !(event->modifiers() & Qt::ControlModifier);
    if (asked || typed || popup->isVisible()) offerCompletions(asked);
}

}  // namespace kalvor
