#include "lang/program_library.h"

#include <QFile>
#include <QString>

namespace kalvor {

const std::vector<LibraryGroup>& programLibrary() {
    static const std::vector<LibraryGroup> groups = {
        {"&Ruimtelijke figuren",
         {{"&kubus/balk...", "kubus_balk.txt"},
          {"k&ubus met diagonalen...", "kubus_diagonalen.txt"},
          {"&driezijdige piramide...", "driezijdige_piramide.txt"},
          {"&vierzijdige piramide...", "vierzijdige_piramide.txt"},
          {"&achtvlak...", "achtvlak.txt"},
          {"&twaalfvlak...", "twaalfvlak.txt"},
          {"t&wintigvlak...", "twintigvlak.txt"},
          {"&rhombisch twaalfvlak...", "rhombisch_twaalfvlak.txt"}}},
        {"&Driehoeken",
         {{"&1 hzh...", "driehoek_hzh.txt"},
          {"&2 zhh...", "driehoek_zhh.txt"},
          {"&3 zhz...", "driehoek_zhz.txt"},
          {"&4 zzz...", "driehoek_zzz.txt"}}},
        {"&Assenstelsel",
         {{"st&ippelrooster...", "stippelrooster.txt"},
          {"str&eepjesrooster...", "streepjesrooster.txt"},
          {"&logaritmisch papier...", "logaritmisch_papier.txt"},
          {"&zaagtand", "zaagtand.txt"},
          {"getallen &y-as links", "getallen_y_as_links.txt"}}},
        {"&Gonio", {{"&sinus", "sinus.txt"}, {"sinus/&cosinus", "sinus_cosinus.txt"}}},
        {"Grote ge&tallen",
         {{"fi&bonacci", "fibonacci.txt"},
          {"fa&culteit", "faculteit.txt"},
          {"&100priem", "100priem.txt"},
          {"prie&mfactoren", "priemfactoren.txt"},
          {"fac&tor", "factor.txt"},
          {"factor&2", "factor2.txt"},
          {"&fermat1", "fermat1.txt"},
          {"f&ermat2", "fermat2.txt"}}},
        {"D&iversen",
         {{"&pythagorasboom...", "pythagorasboom.txt"},
          {"hanoi (&tekst)...", "hanoi_tekst.txt"},
          {"&hanoi (grafisch)...", "hanoi_grafisch.txt"},
          {"&binomcdf", "binomcdf.txt"}}},
    };
    return groups;
}

std::optional<std::string> libraryProgramText(std::string_view file) {
    QFile resource(QStringLiteral(":/library/") + QString::fromUtf8(file.data(), file.size()));
    if (file.empty() || !resource.open(QIODevice::ReadOnly)) return std::nullopt;
    std::string text = resource.readAll().toStdString();
    std::erase(text, '\r');
    return text;
}

}  // namespace kalvor
