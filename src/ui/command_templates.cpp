#include "ui/command_templates.h"

#include <algorithm>
#include <cctype>

namespace kalvor {

namespace {

constexpr bool kReplacesName = true;

struct TemplateRow {
    std::string_view names;  // separated by blanks
    std::string_view text;
    bool replacesName = false;
};

// "\r" is the line break of the label.
const TemplateRow kTemplates[] = {
    {"lijn ellips rechthoek stippellijn vector", "(x1;y1;x2;y2)"},
    {"lijn3d stippellijn3d", "(x1;y1;z1;x2;y2;z2)"},
    {"tekst tekstc tekstr", "(x1;y1;tekst)"},
    {"tekst2", "(x1;y1;tekst;uitlijnstring)"},
    {"tekst2+stip", "(x1;y1;tekst;uitlijnstring;grootte)"},
    {"tekst3d2+stip", "(x1;y1;z1;tekst;uitlijnstring;grootte)"},
    {"tekst3d2", "(x1;y1;z1;tekst;uitlijnstring)"},
    {"3d->2d", "(x;y;z;var a;var b)"},
    {"tekenkleur vulkleur letterkleur", "(kleur)"},
    {"lijnNaar gaNaar", "(x1;y1)"},
    {"lijnNaar3d gaNaar3d", "(x1;y1;z1)"},
    {"pad veelhoek", "(x1;y1;x2;y2;....xn;yn)"},
    {"stip", "(x;y;grootte)"},
    {"vulstijl", "(stijl)"},
    {"kromme", "(f(t);g(t);tmin;tmax;dt)"},
    {"kromme3d", "(f(t);g(t);h(t);tmin;tmax;dt)"},
    {"lettergrootte", "(*factor)"},
    {"gebied", "(x1;x2;f(x);x3;x4;g(x);...)"},
    {"maak", "(variabele;waarde)"},
    {"totdat", "(voorwaarde)"},
    {"lijnelveld", "(d.v.;xstep;ystep)"},
    {"lijnelveld2", "(x';y';xstep;ystep)"},
    {"oplossingskromme", "(d.v.;x0;y0;stap;aantal;euler|impeuler|runge)", kReplacesName},
    {"oplossingskromme2", "(x';y';x0;y0;stap;aantal;euler|impeuler)", kReplacesName},
    {"draaivermenigvuldig", "zie help", kReplacesName},
    {"projectie", "zie help", kReplacesName},
    {"spiegelbeeld", "zie help", kReplacesName},
    {"hoek", "zie help", kReplacesName},
    {"cirkelmppunt", "(m1;m2;p1;p2)"},
    {"snijpuntmll", "zie help", kReplacesName},
    {"snijpuntbis", "zie help", kReplacesName},
    {"snijpuntlijnlijn", "zie help", kReplacesName},
    {"snijpuntlijncir", "zie help", kReplacesName},
    {"snijpuntcircir", "zie help", kReplacesName},
    {"snijpuntlijnvlak", "(a;b;c;d;p1;p2;p3;q1;q2;q3;\rvar s1;var s2;var s3)"},
    {"vglvlak", "(a1;a2;a3;b1;b2;b3;c1;c2;c3\rvar a;var b;var c;var d)"},
    {"afbeelding2", "zie help", kReplacesName},
    {"vectorvoorstelling", "(sv1;sv2;rv1;rv2;tmin;tmax)"},
    {"rvraaklijn", "(f(t);g(t);t;var rv1;var rv2)"},
    {"set3d", "(wijkhoek;verkortingsfactor)"},
    {"pad3d veelhoek3d", "(x1;;y1;z1;....)"},
    {"rot3d spiegel3d", "(x|y|z;phi)"},
    {"setmat3d", "(a1;b1;c1;a2;b2;c2;a3;b3;c3)"},
    {"punten punten3d", "(a;...)"},
    {"maakpunt", "(variabele;waarde1;waarde2)"},
    {"maakpunt3d", "(variabele;waarde1;waarde2;waarde3)"},
    {"webgrafiek", "(f(x);xstart;iteraties;skip)"},
    {"lettertype", "(lettertype)\rlettertype() om te herstellen"},
    {"integraal", "(f(x);a;b;tolerantie;trapezium|\rsimpson|romberg|gauss|\rkronrod;var uitkomst)"},
    {"helling", "(f(x);x;dx;var uitkomst)"},
    {"conflictlijn", "(soort;p1;p2;x1;x2;y1;y2)"},
    {"eigenassen", "(xstap;ystap)"},
    {"eigenassenf", "(xstap;ystap;xformat;yformat)"},
    {"ax+by>c ax+by<c ax+by=c", "(a;b;c)"},
    {"grafiek", "(f(x))"},
    {"uitvoer uitvoerc uitvoerr", "(x0;y0;waarde)"},
    {"uitvoer2", "(x1;y1;waarde;uitlijnstring)"},
    {"uitvoer3d2", "(x1;y1;z1;waarde;uitlijnstring)"},
    {"bezier", "(x0;y0;x1;y1;x2;y2;x3;y3;...)"},
    {"cirkelboog cirkelsector cirkelsegment", "(m1;m2;r;starthoek;eindhoek)"},
    {"hoekmarkering", "(a1;a2;b1;b2;c1;c2\r;grootte;aantal)"},
    {"hoekmarkering3d", "(a1;a2;a3;b1;b2;b3;\rc1;c2;c3;grootte;aantal)"},
    {"lijnstukmarkering", "(x1;x2;y1;y2;\rgrootte;aantal)\raantal>4:v,aantal<1:o"},
    {"lijnstukmarkering3d", "(x1;x2;x3;y1;y2;y3;\rgrootte;aantal)\raantal>4:v,aantal<1:o"},
    {"opslaanbmp opslaanjpg opslaangif", "(bestandsnaam)"},
    {"bissectrice loodlijn", "(a1;a2;b1;b2;c1;c2;tmin;tmax)"},
    {"middelloodlijn", "(a1;a2;b1;b2;tmin;tmax)"},
    {"hoogtelijn", "(a1;a2;b1;b2;c1;c2)"},
    {"hoogtepunt", "(a1;a2;b1;b2;c1;c2;\rvar p1;var p2)"},
    {"diff$", "($var;expressie;variabele)"},
    {"diffn$", "($var;expressie;variabele;n)"},
    {"int$", "($var;expressie;variabele)"},
    {"subst$", "($var;expressie;zoekexp;vervexpr)"},
    {"vervang$", "($var;string;zoekstring;vervstring)"},
    {"symb$", "($var;opdracht voor symbolic_dll)"},
    {"maak$", "($var;string)"},
    {"samen$", "($var;links;rechts)"},
    {"mid$", "($var;string;beginpos;aantal)"},
    {"pos$", "(var a;te vinden string;string)"},
    {"split$", "($res1;$res2;string;afscheider)"},
    {"tussen$", "($var;string;beginteken;eindteken)"},
    {"+$ -$ ^$ *$ /$", "($var;expr;expr)"},
    {"iteratie", "(f(x);startwaarde;aantal;var resultaat)"},
    {"nulpunt", "(f(x);xmin;xmax;start;tolerantie;\rvar resultaat)"},
    {"stippelkromme", "(f(t);g(t);tmin;tmax;dt;dt2;dt3)"},
    {"stippelkromme3d", "(f(t);g(t);h(t);tmin;tmax;\rdt;dt2;dt3)"},
    {"laadplaatje", "(nummer;bestandsnaam)"},
    {"toonplaatje wisplaatje", "(nummer;x;y)"},
    {"toonplaatje2", "(nummer;x;y;delay)"},
    {"vrijpunt", "(var;x;y;delta)"},
    {"set3dcentraal", "(theta;phi;oogafstand;\rschermafstand)"},
    {"oppervlak3d", "(x(u,v);y(u,v);z(u,v);\rumin;umax;vmin;vmax;du;dv)"},
    {"stip3d", "(x;y;z;dikte)"},
    {"met for film", "(variabele;start;eind;stap)"},
    {"voorelke", "(variabele;\rwaarde1,waarde2,...waarden)"},
    {"keus$", "($var;keus1,keus2,...keusn)"},
    {"invoerdialoog$", "($var;caption;prompt;default)"},
    {"$equivalent$", "($a;$b;variabelenaam;\rlinkergrens;rechtergrens)"},
    {"$gelijk$", "(tekst1;tekst2)"},
    {"impliciet", "(f(x,y))"},
    {"impliciet2", "(f(x,y);minx;maxx;\rminy;maxy;aantal_pixels)"},
    {"impliciet3", "(f(x,y);x0;y0;step;maxstep)"},
    {"getalnaar$", "($var;expressie)"},
    {"pixel", "(var;x;y)"},
    {"stats", "(lijst1[,lijst2];start;eind;\rvar gemiddelde;var sd)"},
    {"linreg", "(lijst1,lijst2;\rstart;eind;$vergelijking;var corrcoeff)"},
    {"regressie",
     "(lijst1,lijst2;start;eind;$vergelijking;\rvar corrcoeff;linreg|expreg|pwrreg|lnreg)"},
    {"polyreg", "(lijst1,lijst2;\rstart;eind;graad;doellijst)"},
    {"lijndikte", "(lijndikte)"},
    {"lengte$", "(var l;string)"},
    {"puntinveelhoek?", "(p1;p2;lijst1;lijst2;\raantal_punten;var resultaat)"},
    {"schrijf schrijfregel", "(t(ekst)|u(itvoer)|c(har);wat)"},
    {"letterstijl", "(vet|cursief|onderstreept)\rterugzetten met letterstijl()"},
    {"gedraaideellips", "(x1;y1;x2;y2;alpha)"},
    {"getalnaarromeins$", "($var,getal)"},
    {"romeinsnaargetal$", "($romeins,var g)"},
    {"gedraaidetekst", "(x;y;tekst;hoek)"},
};
bool namesContain(std::string_view names, std::string_view name) {
    std::size_t start = 0;
    while (start <= names.size()) {
        const std::size_t end = std::min(names.find(' ', start), names.size());
        if (names.substr(start, end - start) == name) return true;
        start = end + 1;
    }
    return false;
}

int characterRank(unsigned char c) {
    if (std::isalpha(c)) return 2;
    if (std::isdigit(c)) return 1;
    return 0;
}

}  // namespace

const std::vector<std::string_view>& editorCommands() {
    static const std::vector<std::string_view> commands = {
        "-$",
        "$equivalent$",
        "$gelijk$",
        "*$",
        "/$",
        "_",
        "+$",
        "3d->2d",
        "afbeelding2",
        "ax+by<c",
        "ax+by=c",
        "ax+by>c",
        "bezier",
        "bissectrice",
        "cirkelboog",
        "cirkelmppunt",
        "cirkelsector",
        "cirkelsegment",
        "conflictlijn",
        "draaivermenigvuldig",
        "eigenassen",
        "eigenassenf",
        "eindproc",
        "ellips",
        "endproc",
        "film",
        "for",
        "gaNaar",
        "gaNaar3d",
        "gebied",
        "gedraaideellips",
        "gedraaidetekst",
        "getalnaar$",
        "getalnaarromeins$",
        "grafiek",
        "helling",
        "herhaal",
        "hoek",
        "hoekmarkering",
        "hoekmarkering3d",
        "hoogtelijn",
        "hoogtepunt",
        "impliciet",
        "impliciet2",
        "impliciet3",
        "integraal",
        "invoerdialoog$",
        "iteratie",
        "keus$",
        "kromme",
        "kromme3d",
        "laadplaatje",
        "lengte$",
        "lettergrootte",
        "letterkleur",
        "letterstijl",
        "lettertype",
        "lijn",
        "lijn3d",
        "lijndikte",
        "lijnelveld",
        "lijnelveld2",
        "lijnNaar",
        "lijnNaar3d",
        "lijnstukmarkering",
        "lijnstukmarkering3d",
        "linreg",
        "local",
        "loodlijn",
        "maak",
        "maak$",
        "maakpunt",
        "maakpunt3d",
        "met",
        "mid$",
        "middelloodlijn",
        "nulpunt",
        "oplossingskromme",
        "oplossingskromme2",
        "oppervlak3d",
        "opslaanbmp",
        "opslaanjpg",
        "pad",
        "pad3d",
        "pixel",
        "polyreg",
        "pos$",
        "proc",
        "projectie",
        "punten",
        "punten3d",
        "puntinveelhoek?",
        "rechthoek",
        "regressie",
        "romeinsnaargetal$",
        "rot3d",
        "rvraaklijn",
        "samen$",
        "schrijf",
        "schrijfregel",
        "set3d",
        "set3dcentraal",
        "setmat3d",
        "snapshot",
        "snijpuntbis",
        "snijpuntcircir",
        "snijpuntlijncir",
        "snijpuntlijnlijn",
        "snijpuntlijnvlak",
        "snijpuntmll",
        "spiegel3d",
        "spiegelbeeld",
        "split$",
        "stats",
        "stip",
        "stip3d",
        "stippelkromme",
        "stippelkromme3d",
        "stippellijn",
        "stippellijn3d",
        "tekenkleur",
        "tekst",
        "tekst2",
        "tekst2+stip",
        "tekst3d2",
        "tekst3d2+stip",
        "tekstc",
        "tekstr",
        "toonplaatje",
        "toonplaatje2",
        "toonsnapshot",
        "totdat",
        "tussen$",
        "uitvoer",
        "uitvoer2",
        "uitvoer3d2",
        "uitvoerc",
        "uitvoerr",
        "vector",
        "vectorvoorstelling",
        "veelhoek",
        "veelhoek3d",
        "vervang$",
        "vglvlak",
        "volgende",
        "voorelke",
        "vrijpunt",
        "vulkleur",
        "vulstijl",
        "webgrafiek",
        "wisplaatje",
    };
    return commands;
}

std::string commandTemplate(std::string_view name) {
    for (const TemplateRow& row : kTemplates) {
        if (!namesContain(row.names, name)) continue;
        if (row.replacesName) return std::string(row.text);
        return std::string(name) + std::string(row.text);
    }
    return std::string(name);
}

bool commandListLess(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[i]);
        if (characterRank(ca) != characterRank(cb)) return characterRank(ca) < characterRank(cb);
        const int la = std::tolower(ca), lb = std::tolower(cb);
        if (la != lb) return la < lb;
    }
    return a.size() < b.size();
}

std::size_t commandInsertPosition(const std::vector<std::string>& items, std::string_view name) {
    std::size_t i = 0;
    while (i < items.size() && (items[i].empty() || characterRank(items[i][0]) == 0))
        ++i;
    while (i < items.size() && !commandListLess(name, items[i]))
        ++i;
    return i;
}

}  // namespace kalvor
