#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kalvor {

class CommandTable;

/// The help of one command: its template, what it does, its arguments and a program that runs.
struct HelpCommand {
    std::string name;
    std::string usage;  // the command with its argument template
    std::string description;
    std::vector<std::pair<std::string, std::string>> arguments;  // (names, meaning)
    std::string example;                                         // source lines
};

/// One help page: a title, paragraphs under headings, and the commands it documents.
struct HelpPage {
    std::string id;  // the file name without extension, used in links
    std::string title;
    std::vector<std::pair<std::string, std::string>> sections;  // (heading, paragraph html)
    std::vector<HelpCommand> commands;
};

/// Parses a help file. One entry per line, "key: value":
///   titel, kop (a heading), tekst (a paragraph under the last heading; repeated lines join),
///   opdracht (starts a command), sjabloon, uitleg, argument ("names | meaning"),
///   voorbeeld (one source line of the example; repeated lines make the program).
/// Lines starting with "#" and blank lines are skipped.
HelpPage parseHelpPage(std::string id, std::string_view text);

/// The pages shipped with the program, in the order of the index.
std::vector<HelpPage> loadHelpPages();

/// The command's entry and the page that holds it, or nulls.
std::pair<const HelpPage*, const HelpCommand*> findHelpCommand(const std::vector<HelpPage>& pages,
                                                               std::string_view name);

/// The command that the editor line is about: the text before its "(" without blanks, or the
/// first word of a line without arguments.
std::string commandOfLine(std::string_view line);

/// The HTML of a page; commands are anchors named after the command.
std::string helpPageHtml(const HelpPage& page);

/// The index: every page, and every command of the table linked to its entry (the commands
/// without an entry are listed unlinked, so a gap shows).
std::string helpIndexHtml(const std::vector<HelpPage>& pages, const CommandTable& table);

/// A place where a search word occurs: a page, and the command on it when the word is in a
/// command's entry.
struct HelpHit {
    std::string pageId;
    std::string pageTitle;
    std::string command;  // empty for a hit in the page's own text
};

/// Every page section and command entry that contains `word` (case ignored), pages in order.
std::vector<HelpHit> searchHelp(const std::vector<HelpPage>& pages, std::string_view word);

/// The HTML list of search hits, with links ("pagina.html#opdracht").
std::string helpSearchHtml(std::string_view word, const std::vector<HelpHit>& hits);

}  // namespace kalvor
