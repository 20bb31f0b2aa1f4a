#pragma once

#include <QWidget>
#include <vector>

#include "graph/help_pages.h"
#include "lang/command_table.h"

class QLineEdit;
class QTextBrowser;
class QUrl;

namespace kalvor {

/// The help window: the shipped help pages in a browser, their index and a search field.
/// It owns the loaded pages; building the HTML and searching are the help pages' own work.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);

    QTextBrowser* browser() const { return m_browser; }
    QLineEdit* searchField() const { return m_search; }

public slots:
    void showIndex();
    /// Opens the page of the command and scrolls to its entry; the index when it has none.
    void showCommand(const QString& name);
    /// Shows the window with the search field ready for a word.
    void showSearch();
    void search(const QString& word);

private:
    void follow(const QUrl& link);
    void showPage(const QString& id, const QString& anchor);
    void showHtml(const std::string& html);

    std::vector<HelpPage> m_pages;
    CommandTable m_table;
    QTextBrowser* m_browser;
    QLineEdit* m_search;
};

}  // namespace kalvor
