#include "ui/help_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

namespace kalvor {

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_pages(loadHelpPages()),
      m_table(buildCommandTable()),
      m_browser(new QTextBrowser(this)),
      m_search(new QLineEdit(this)) {
    setWindowTitle(QStringLiteral("Help"));
    setObjectName(QStringLiteral("help"));
    resize(640, 560);
    auto* bar = new QHBoxLayout;
    auto* contents = new QPushButton(QStringLiteral("Inhoud"), this);
    bar->addWidget(contents);
    bar->addWidget(new QLabel(QStringLiteral("Zoeken:"), this));
    m_search->setObjectName(QStringLiteral("zoeken"));
    bar->addWidget(m_search, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_browser, 1);
    // Links name pages of our own, which the browser could not resolve itself.
    m_browser->setOpenLinks(false);
    connect(m_browser, &QTextBrowser::anchorClicked, this, &HelpWindow::follow);
    connect(contents, &QPushButton::clicked, this, &HelpWindow::showIndex);
    connect(m_search, &QLineEdit::returnPressed, this, [this] { search(m_search->text()); });
    showIndex();
}

void HelpWindow::showIndex() {
    showHtml(helpIndexHtml(m_pages, m_table));
}

void HelpWindow::showCommand(const QString& name) {
    const auto [page, command] = findHelpCommand(m_pages, name.toStdString());
    if (!command) {
        showIndex();
        return;
    }
    showPage(QString::fromStdString(page->id), QString::fromStdString(command->name));
}

void HelpWindow::showSearch() {
    show();
    raise();
    m_search->setFocus();
    m_search->selectAll();
}

void HelpWindow::search(const QString& word) {
    m_search->setText(word);
    const std::string text = word.toStdString();
    showHtml(helpSearchHtml(text, searchHelp(m_pages, text)));
}

void HelpWindow::follow(const QUrl& link) {
    showPage(link.path(QUrl::FullyDecoded), link.fragment(QUrl::FullyDecoded));
}

void HelpWindow::showPage(const QString& id, const QString& anchor) {
    const auto page = std::find_if(m_pages.begin(), m_pages.end(),
                                   [&](const HelpPage& p) { return p.id == id.toStdString(); });
    if (page == m_pages.end()) {
        showIndex();
        return;
    }
    showHtml(helpPageHtml(*page));
    if (!anchor.isEmpty()) m_browser->scrollToAnchor(anchor);
}

void HelpWindow::showHtml(const std::string& html) {
    m_browser->setHtml(QString::fromStdString(html));
    show();
    raise();
}

}  // namespace kalvor
