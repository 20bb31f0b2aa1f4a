#include "app/demo_picture.h"

#include <filesystem>
#include <ostream>

#include "graph/workbench.h"
#include "lang/compiler.h"
#include "lang/headless_host.h"
#include "lang/program_file.h"

namespace kalvor {

namespace {

// The example: three graphs on a grid, and a circle drawn by the program itself.
const std::vector<std::string> kDemoProgram = {
    "xmin=-6",
    "xmax=6",
    "ymin=-4",
    "ymax=4",
    "F=3*sin(x)",
    "G=x^2/4-3",
    "H=exp(x/2)-2",
    "xlabel=x",
    "ylabel=y",
    "asopties=RSG",
    "% a circle of radius 2 around the origin",
    "tekenkleur(16711680)",
    "lijndikte(2)",
    "kromme(2*cos(t);2*sin(t);0;6.3;0.05)",
};

}  // namespace

int renderDemoPicture(const std::string& path, std::ostream& out, std::ostream& err) {
    HeadlessHost host(&err);
    Workbench bench(host);
    bench.settings().functionSwatches[0].colour = 0x0000FF;  // F red
    bench.settings().functionSwatches[1].colour = 0x008000;  // G green
    bench.settings().functionSwatches[2].colour = 0xC00000;  // H blue
    for (Swatch& swatch : bench.settings().functionSwatches)
        swatch.width = 2;
    FileIncludeResolver resolver(std::filesystem::current_path());
    bench.setProgram(compileProgram(kDemoProgram, resolver).lines);
    bench.resizeCanvas(480, 360);
    bench.redraw();
    if (!bench.exportPng(path)) {
        err << "kalvor: kan " << path << " niet schrijven\n";
        return 2;
    }
    std::error_code error;
    const auto where = std::filesystem::absolute(path, error);
    out << "Geen beeldscherm gevonden; voorbeeldtekening geschreven naar "
        << (error ? path : where.string()) << '\n';
    return 0;
}

}  // namespace kalvor
