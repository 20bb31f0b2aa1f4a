#include "graph/help_pages.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <algorithm>
#include <cctype>

#include "lang/command_table.h"

namespace kalvor {

namespace {

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

std::string escaped(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
        .toHtmlEscaped()
        .toStdString();
}

std::string lowered(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
        .toLower()
        .toStdString();
}

void appendJoined(std::string& to, std::string_view text, std::string_view separator) {
    if (!to.empty()) to += separator;
    to += text;
}

// One "key: value" line into the page being read.
void applyEntry(HelpPage& page, std::string_view key, std::string_view value) {
    HelpCommand* command = page.commands.empty() ? nullptr : &page.commands.back();
    if (key == "titel") {
        page.title = value;
    } else if (key == "kop") {
        page.sections.emplace_back(value, "");
    } else if (key == "tekst") {
        if (page.sections.empty()) page.sections.emplace_back("", "");
        appendJoined(page.sections.back().second, value, " ");
    } else if (key == "opdracht") {
        page.commands.push_back({std::string(value), std::string(value), {}, {}, {}});
    } else if (command && key == "sjabloon") {
        command->usage = value;
    } else if (command && key == "uitleg") {
        appendJoined(command->description, value, " ");
    } else if (command && key == "argument") {
        const std::size_t bar = value.find('|');
        command->arguments.emplace_back(trimmed(value.substr(0, bar)),
                                        bar == value.npos ? "" : trimmed(value.substr(bar + 1)));
    } else if (command && key == "voorbeeld") {
        appendJoined(command->example, value, "\n");
    }
}

std::string commandHtml(const HelpCommand& c) {
    std::string html = "<h3><a name=\"" + escaped(c.name) + "\"></a>" + escaped(c.name) +
                       "</h3>\n<p><code>" + escaped(c.usage) + "</code></p>\n";
    if (!c.description.empty()) html += "<p>" + c.description + "</p>\n";
    if (!c.arguments.empty()) {
        html += "<table cellpadding=\"2\">\n";
        for (const auto& [names, meaning] : c.arguments)
            html +=
                "<tr><td><code>" + escaped(names) + "</code></td><td>" + meaning + "</td></tr>\n";
        html += "</table>\n";
    }
    if (!c.example.empty()) html += "<p>Voorbeeld:</p>\n<pre>" + escaped(c.example) + "</pre>\n";
    return html;
}

bool contains(std::string_view haystack, std::string_view loweredWord) {
    return lowered(haystack).find(loweredWord) != std::string::npos;
}

bool commandContains(const HelpCommand& c, std::string_view word) {
    if (contains(c.name, word) || contains(c.usage, word) || contains(c.description, word))
        return true;
    return std::any_of(c.arguments.begin(), c.arguments.end(), [&](const auto& a) {
        return contains(a.first, word) || contains(a.second, word);
    });
}

}  // namespace

HelpPage parseHelpPage(std::string id, std::string_view text) {
    HelpPage page;
    page.id = std::move(id);
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = trimmed(text.substr(0, end));
        text.remove_prefix(end == text.npos ? text.size() : end + 1);
        const std::size_t colon = line.find(':');
        if (line.empty() || line.front() == '#' || colon == line.npos) continue;
        applyEntry(page, trimmed(line.substr(0, colon)), trimmed(line.substr(colon + 1)));
    }
    if (page.title.empty()) page.title = page.id;
    return page;
}

std::vector<HelpPage> loadHelpPages() {
    // The files sort by their number prefix, which is the order of the index.
    const QDir dir(QStringLiteral(":/help"));
    std::vector<HelpPage> pages;
    for (const QString& name : dir.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name)) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly)) continue;
        const QByteArray text = file.readAll();
        pages.push_back(parseHelpPage(QFileInfo(name).completeBaseName().toStdString(),
                                      std::string_view(text.constData(), text.size())));
    }
    return pages;
}

std::pair<const HelpPage*, const HelpCommand*> findHelpCommand(const std::vector<HelpPage>& pages,
                                                               std::string_view name) {
    // Exact first: the language tells "lijnNaar" from a differently written name.
    for (const bool ignoreCase : {false, true}) {
        for (const HelpPage& page : pages)
            for (const HelpCommand& c : page.commands)
                if (c.name == name || (ignoreCase && lowered(c.name) == lowered(name)))
                    return {&page, &c};
    }
    return {nullptr, nullptr};
}

std::string commandOfLine(std::string_view line) {
    line = trimmed(line);
    const std::size_t paren = line.find('(');
    if (paren != line.npos) return std::string(trimmed(line.substr(0, paren)));
    const std::size_t blank = line.find_first_of(" \t");
    return std::string(line.substr(0, blank));
}

std::string helpPageHtml(const HelpPage& page) {
    std::string html = "<h1>" + escaped(page.title) + "</h1>\n";
    for (const auto& [heading, text] : page.sections) {
        if (!heading.empty()) html += "<h2>" + escaped(heading) + "</h2>\n";
        if (!text.empty()) html += "<p>" + text + "</p>\n";
    }
    for (const HelpCommand& c : page.commands)
        html += commandHtml(c);
    return html;
}

std::string helpIndexHtml(const std::vector<HelpPage>& pages, const CommandTable& table) {
    std::string html = "<h1>Inhoud</h1>\n<ul>\n";
    for (const HelpPage& page : pages)
        html += "<li><a href=\"" + escaped(page.id) + "\">" + escaped(page.title) + "</a></li>\n";
    html += "</ul>\n<h2>Alle opdrachten</h2>\n<p>";
    for (const std::string_view name : table.names()) {
        const auto [page, command] = findHelpCommand(pages, name);
        if (command)
            html += "<a href=\"" + escaped(page->id) + "#" + escaped(name) + "\">" + escaped(name) +
                    "</a> ";
        else
            html += escaped(name) + " ";
    }
    return html + "</p>\n";
}

std::vector<HelpHit> searchHelp(const std::vector<HelpPage>& pages, std::string_view word) {
    const std::string needle = lowered(trimmed(word));
    std::vector<HelpHit> hits;
    if (needle.empty()) return hits;
    for (const HelpPage& page : pages) {
        const bool inText =
            contains(page.title, needle) ||
            std::any_of(page.sections.begin(), page.sections.end(), [&](const auto& s) {
                return contains(s.first, needle) || contains(s.second, needle);
            });
        if (inText) hits.push_back({page.id, page.title, ""});
        for (const HelpCommand& c : page.commands)
            if (commandContains(c, needle)) hits.push_back({page.id, page.title, c.name});
    }
    return hits;
}

std::string helpSearchHtml(std::string_view word, const std::vector<HelpHit>& hits) {
    std::string html = "<h1>Zoeken: " + escaped(word) + "</h1>\n";
    if (hits.empty()) return html + "<p>Niets gevonden.</p>\n";
    html += "<ul>\n";
    for (const HelpHit& hit : hits) {
        const std::string target =
            hit.command.empty() ? hit.pageId : hit.pageId + "#" + hit.command;
        const std::string label =
            hit.command.empty() ? hit.pageTitle : hit.command + " (" + hit.pageTitle + ")";
        html += "<li><a href=\"" + escaped(target) + "\">" + escaped(label) + "</a></li>\n";
    }
    return html + "</ul>\n";
}

}  // namespace kalvor
