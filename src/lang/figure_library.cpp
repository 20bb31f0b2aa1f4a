#include "lang/figure_library.h"

#include "lang/compiler.h"

namespace kalvor {

namespace {

// A program that uses the library calls init, sets $punten (one letter per vertex),
// $lijnen and $stippellijnen (comma-separated pairs of vertex letters), calls punt for every
// vertex and then lijnstukken. Vertex n is stored as L1(n), L2(n), L3(n).
//
// zijden skips an empty list of edges: its loop would otherwise run once (a for loop always
// does) and draw an edge between nonexistent vertices.
constexpr std::string_view kFixedSource = R"(defproc punt(n;x;y;z;hoe)
L1(n):=x
L2(n):=y
L3(n):=z
proc label(x;y;z;hoe)
eindproc
defproc lijnstukken
$lijn2:=$lijnen
proc zijden(0)
$lijn2:=$stippellijnen
proc zijden(1)
eindproc
defproc zijden(_mode)
samen$($lijn2;$lijn2;,)
lengte$(aantal_zijden;$lijn2)
aantal_zijden:=aantal_zijden/3
als(groter(aantal_zijden,0.5))
for(i;1;aantal_zijden;1)
split$($z;$lijn2;$lijn2;,)
mid$($p1;$z;1;1)
mid$($p2;$z;2;1)
pos$(p1;$p1;$punten)
pos$(p2;$p2;$punten)
als(kleiner(_mode,1))
lijn3d(L1(p1);L2(p1);L3(p1);L1(p2);L2(p2);L3(p2))
anders
stippelkromme3d(L1(p1)+t*(L1(p2)-L1(p1));L2(p1)+t*(L2(p2)-L2(p1));L3(p1)+t*(L3(p2)-L3(p1));0;1;0.05;0.05;0.05)
eindals
next
eindals
eindproc
defproc init
cc:=5
ct:=8
cb:=3
lc:=4
lt:=7
lb:=1
rc:=6
rt:=9
rb:=2
eindproc
)";

// label writes the vertex letter with the alignment whose code (set by init) equals hoe.
constexpr std::string_view kAlignments[] = {"cc", "ct", "cb", "lc", "lb", "lt", "rc", "rt", "rb"};

std::string buildSource() {
    std::string source(kFixedSource);
    source += "defproc label(x;y;z;hoe)\nmid$($h;$punten;n;1)\n";
    for (std::string_view code : kAlignments) {
        const std::string c(code);
        source += "als(absepsgelijk(hoe," + c + "))\ntekst3d2(x;y;z;$h;" + c + ")\neindals\n";
    }
    return source + "eindproc\n";
}

/// Resolves nothing: the library includes no other program.
class NoIncludes : public IncludeResolver {
public:
    std::optional<std::vector<std::string>> readIncludedLines(std::string_view) override {
        return std::nullopt;
    }
};

std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = std::min(text.find('\n', start), text.size());
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

}  // namespace

const std::string& figureLibrarySource() {
    static const std::string source = buildSource();
    return source;
}

const std::vector<std::string>& figureLibraryLines() {
    static const std::vector<std::string> lines = [] {
        NoIncludes none;
        return compileProgram(splitLines(figureLibrarySource()), none).lines;
    }();
    return lines;
}

}  // namespace kalvor
