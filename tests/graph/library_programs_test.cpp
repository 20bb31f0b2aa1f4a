#include <gmp.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <cmath>
#include <functional>
#include <map>
#include <set>
#include <sstream>

#include "../support/file_checks.h"
#include "lang/program_library.h"
#include "workbench_fixture.h"

// Every program of the editor's library, run as the graph window runs it, must do what its
// menu item promises; the numbers are checked against independent computations (GMP for the
// big numbers). Every program also exports to PNG through `kalvor run` without a message.

namespace kalvor {
namespace {

using test::BenchFixture;
using Lines = std::vector<std::string>;

struct LibraryRun : BenchFixture {
    Lines output;
    Number value(const char* name) { return bench.environment().parser(1).getVariable(name); }
    std::string text(const char* name) { return bench.environment().texts.get(name); }
    Number list(int list, int index) { return bench.environment().lists.get(list, index); }
    /// Whether the canvas pixel at the world point (or one of its neighbours) has `rgb`.
    bool colourNear(Number x, Number y, QRgb rgb) const {
        const int px = bench.canvas().windowX(x), py = bench.canvas().windowY(y);
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                if ((pixel(px + dx, py + dy).rgb() & 0xFFFFFF) == (rgb & 0xFFFFFF)) return true;
        return false;
    }
};

std::string decimal(const mpz_t n) {
    char* digits = mpz_get_str(nullptr, 10, n);
    std::string s(digits);
    void (*release)(void*, size_t);
    mp_get_memory_functions(nullptr, nullptr, &release);
    release(digits, s.size() + 1);
    return s;
}

/// The text after the first ": " of a line (the whole line without one).
std::string afterColon(const std::string& line) {
    const auto at = line.find(": ");
    return at == std::string::npos ? line : line.substr(at + 2);
}

// ---- solids: the vertices in L1 … L3, the edges in $lijnen and $stippellijnen ----

struct Solid {
    int vertices;
    std::map<double, int> edgesOfLength;  // length → how many edges (diagonals included)
};

void checkSolid(LibraryRun& r, const Solid& solid) {
    const std::string names = r.text("$punten");
    ASSERT_EQ(static_cast<int>(names.size()), solid.vertices);
    std::string all = r.text("$lijnen");
    const std::string dotted = r.text("$stippellijnen");
    if (!dotted.empty()) all += (all.empty() ? "" : ",") + dotted;
    std::set<std::string> edges;
    std::map<double, int> lengths;
    std::stringstream items(all);
    for (std::string edge; std::getline(items, edge, ',');) {
        ASSERT_EQ(edge.size(), 2u) << all;
        EXPECT_TRUE(edges.insert(std::min(edge, std::string{edge[1], edge[0]})).second) << edge;
        const auto p = names.find(edge[0]) + 1, q = names.find(edge[1]) + 1;
        ASSERT_GT(p * q, 0u) << edge;
        const double d = std::hypot(r.list(1, p) - r.list(1, q), r.list(2, p) - r.list(2, q),
                                    r.list(3, p) - r.list(3, q));
        const auto known = std::find_if(solid.edgesOfLength.begin(), solid.edgesOfLength.end(),
                                        [d](auto& e) { return std::abs(e.first - d) < 1e-9; });
        ASSERT_NE(known, solid.edgesOfLength.end()) << edge << " has length " << d;
        ++lengths[known->first];
    }
    EXPECT_EQ(lengths, solid.edgesOfLength);
}

std::function<void(LibraryRun&)> solid(Solid s) {
    return [s](LibraryRun& r) { checkSolid(r, s); };
}

// ---- triangles: the coordinates in a1 … c2 have the row's sides and angles ----

struct Triangle {
    double ab, ac, bc, angleA, angleB;  // a side or angle of 0 is not checked
};

std::function<void(LibraryRun&)> triangle(Triangle t) {
    return [t](LibraryRun& r) {
        const double ax = r.value("a1"), ay = r.value("a2"), bx = r.value("b1"), by = r.value("b2"),
                     cx = r.value("c1"), cy = r.value("c2");
        EXPECT_EQ(r.text("$hoekpunten"), "ABC");
        const double ab = std::hypot(bx - ax, by - ay), ac = std::hypot(cx - ax, cy - ay),
                     bc = std::hypot(cx - bx, cy - by);
        auto angle = [](double ux, double uy, double vx, double vy) {
            return std::acos((ux * vx + uy * vy) / std::hypot(ux, uy) / std::hypot(vx, vy)) * 180 /
                   M_PI;
        };
        const std::pair<double, double> checks[] = {
            {t.ab, ab},
            {t.ac, ac},
            {t.bc, bc},
            {t.angleA, angle(bx - ax, by - ay, cx - ax, cy - ay)},
            {t.angleB, angle(ax - bx, ay - by, cx - bx, cy - by)}};
        for (auto [want, got] : checks) {
            if (want != 0) {
                EXPECT_NEAR(got, want, 1e-9);
            }
        }
        EXPECT_GT(cy, 0);  // counter-clockwise, C above AB
    };
}

// ---- big numbers ----

void checkFibonacci(LibraryRun& r) {
    ASSERT_EQ(r.output.size(), 400u);
    mpz_t f;
    mpz_init(f);
    for (unsigned i = 1; i <= 400; ++i) {
        mpz_fib_ui(f, i);
        EXPECT_EQ(r.output[i - 1], std::to_string(i) + ": " + decimal(f));
    }
    mpz_clear(f);
}

void checkFactorial(LibraryRun& r) {
    mpz_t f;
    mpz_init(f);
    mpz_fac_ui(f, 2002);
    EXPECT_EQ(r.output, (Lines{"2002! =", decimal(f), "aantal nullen aan het eind: 499"}));
    mpz_clear(f);
}

void checkPrimesAfter(LibraryRun& r) {
    ASSERT_EQ(r.output.size(), 100u);
    mpz_t p;
    mpz_init_set_str(p, "100000000000", 10);
    for (const std::string& line : r.output) {
        mpz_nextprime(p, p);
        EXPECT_EQ(line, decimal(p));
    }
    mpz_clear(p);
}

void checkPrimeFactors(LibraryRun& r) {
    Lines expected;
    for (int p = 2; p < 100; ++p) {
        bool prime = true;
        for (int d = 2; d * d <= p; ++d)
            prime = prime && p % d != 0;
        if (!prime) continue;
        int exponent = 0;
        for (int power = p; power <= 2005; power *= p)
            exponent += 2005 / power;  // Legendre
        expected.push_back(std::to_string(p) + "^" + std::to_string(exponent));
    }
    EXPECT_EQ(r.output, expected);
}

void checkSmallFactors(LibraryRun& r) {
    Lines expected;
    for (int n = 2; n <= 100; ++n) {
        int d = 2;
        while (n % d != 0)
            ++d;
        expected.push_back(std::to_string(n) +
                           (d == n ? ": priem" : ": factor " + std::to_string(d)));
    }
    EXPECT_EQ(r.output, expected);
}

// Each odd number: "n: priem" for a prime, else "n = f * q" with a proper factor f.
void checkLargeFactors(LibraryRun& r) {
    ASSERT_EQ(r.output.size(), 600u);
    mpz_t n, f, q, product;
    mpz_inits(n, f, q, product, nullptr);
    mpz_set_str(n, "3000000000000000001", 10);
    for (const std::string& line : r.output) {
        if (mpz_probab_prime_p(n, 30) > 0) {
            EXPECT_EQ(line, decimal(n) + ": priem");
        } else {
            std::istringstream in(line);
            std::string number, is, times, factor, quotient;
            in >> number >> is >> factor >> times >> quotient;
            EXPECT_EQ(number + is + times, decimal(n) + "=*") << line;
            ASSERT_EQ(mpz_set_str(f, factor.c_str(), 10), 0) << line;
            ASSERT_EQ(mpz_set_str(q, quotient.c_str(), 10), 0) << line;
            mpz_mul(product, f, q);
            EXPECT_EQ(mpz_cmp(product, n), 0) << line;
            EXPECT_GT(mpz_cmp_ui(f, 1), 0) << line;
            EXPECT_LT(mpz_cmp(f, n), 0) << line;
        }
        mpz_add_ui(n, n, 2);
    }
    mpz_clears(n, f, q, product, nullptr);
}

// "a^(p-1) mod p = 1" for ten random primes p.
void checkFermatLittle(LibraryRun& r) {
    ASSERT_EQ(r.output.size(), 10u);
    mpz_t a, p, e, m;
    mpz_inits(a, p, e, m, nullptr);
    for (const std::string& line : r.output) {
        const auto caret = line.find("^("), minus = line.find("-1) mod ");
        ASSERT_NE(caret, std::string::npos) << line;
        ASSERT_NE(minus, std::string::npos) << line;
        mpz_set_str(a, line.substr(0, caret).c_str(), 10);
        mpz_set_str(p, line.substr(caret + 2, minus - caret - 2).c_str(), 10);
        EXPECT_GT(mpz_probab_prime_p(p, 30), 0) << line;
        EXPECT_GT(mpz_cmp_ui(p, 1000000), 0) << line;
        mpz_sub_ui(e, p, 1);
        mpz_powm(m, a, e, p);
        EXPECT_EQ(mpz_cmp_ui(m, 1), 0) << line;
        EXPECT_TRUE(line.ends_with(" mod " + decimal(p) + " = 1")) << line;
    }
    mpz_clears(a, p, e, m, nullptr);
}

// Odd composite n up to 100000 with 2^(n-1) = 3^(n-1) = 1 modulo n.
void checkFermatLiars(LibraryRun& r) {
    Lines expected;
    mpz_t n, e, m, two, three;
    mpz_inits(n, e, m, two, three, nullptr);
    mpz_set_ui(two, 2);
    mpz_set_ui(three, 3);
    for (unsigned long k = 5; k <= 100000; k += 2) {
        mpz_set_ui(n, k);
        mpz_set_ui(e, k - 1);
        if (mpz_probab_prime_p(n, 30) > 0) continue;
        mpz_powm(m, two, e, n);
        if (mpz_cmp_ui(m, 1) != 0) continue;
        mpz_powm(m, three, e, n);
        if (mpz_cmp_ui(m, 1) == 0) expected.push_back(std::to_string(k));
    }
    mpz_clears(n, e, m, two, three, nullptr);
    EXPECT_EQ(r.output, expected);
    EXPECT_EQ(expected.front(), "1105");
}

// ---- various ----

// The moves of 4 discs from peg 1 to peg 3, each legal, all discs on peg 3 at the end.
void checkHanoiText(LibraryRun& r) {
    ASSERT_EQ(r.output.size(), 15u);
    std::vector<std::vector<int>> pegs = {{}, {4, 3, 2, 1}, {}, {}};
    for (const std::string& line : r.output) {
        int disc = 0, from = 0, to = 0;
        ASSERT_EQ(
            std::sscanf(line.c_str(), "schijf %d van paal %d naar paal %d", &disc, &from, &to), 3)
            << line;
        ASSERT_FALSE(pegs[from].empty()) << line;
        EXPECT_EQ(pegs[from].back(), disc) << line;
        EXPECT_TRUE(pegs[to].empty() || pegs[to].back() > disc) << line;
        pegs[from].pop_back();
        pegs[to].push_back(disc);
    }
    EXPECT_EQ(pegs[3], (std::vector<int>{4, 3, 2, 1}));
}

void checkHanoiDrawn(LibraryRun& r) {
    for (int disc = 1; disc <= 4; ++disc)
        EXPECT_EQ(r.list(1, disc), 3) << disc;
    // The largest disc lies at the foot of peg 3, the smallest on top; peg 1 is bare.
    EXPECT_FALSE(r.colourNear(3.4, 0.17, 0xFFFFFF));
    EXPECT_FALSE(r.colourNear(3, 1.37, 0xFFFFFF));
    EXPECT_TRUE(r.colourNear(1.3, 0.17, 0xFFFFFF));
}

// P(X <= 1600) for X binomial with n = 10000, p = 1/6, summed in logarithms; the normal
// approximation with continuity correction.
void checkBinomialCdf(LibraryRun& r) {
    ASSERT_EQ(r.output.size(), 2u);
    long double sum = 0;
    const long double n = 10000, p = 1.0L / 6;
    for (int i = 0; i <= 1600; ++i)
        sum += std::exp(std::lgamma(n + 1) - std::lgamma(i + 1.0L) - std::lgamma(n - i + 1) +
                        i * std::log(p) + (n - i) * std::log1p(-p));
    const double mu = 10000.0 / 6, sigma = std::sqrt(10000.0 / 6 * 5 / 6);
    const double normal = 0.5 * std::erfc(-(1600.5 - mu) / sigma / std::sqrt(2.0));
    EXPECT_TRUE(r.output[0].starts_with("P(X <= 1600) = ")) << r.output[0];
    EXPECT_NEAR(std::stod(r.output[0].substr(r.output[0].rfind("= ") + 2)), double(sum), 1e-12);
    EXPECT_NEAR(std::stod(afterColon(r.output[1])), normal, 1e-6);
    EXPECT_NEAR(r.value("kans"), double(sum), 1e-12);
}

// ---- pictures ----

constexpr QRgb kRed = 0xFF0000, kBlue = 0x0000FF, kBlack = 0x000000;

void checkDotGrid(LibraryRun& r) {
    for (int x = -5; x <= 5; ++x)
        for (int y = -5; y <= 5; ++y)
            EXPECT_TRUE(r.colourNear(x, y, kBlack)) << x << "," << y;
    EXPECT_FALSE(r.colourNear(0.5, 0.5, kBlack));
}

void checkDashGrid(LibraryRun& r) {
    // Dashes of 0.1 with gaps of 0.1 on every whole x and y; white (hidden) window grid.
    for (int k = -5; k <= 5; ++k) {
        EXPECT_TRUE(r.colourNear(k, -4.95, 0x808080)) << k;
        EXPECT_TRUE(r.colourNear(-4.95, k, 0x808080)) << k;
    }
    EXPECT_FALSE(r.colourNear(2.5, 2.5, 0x808080));
}

std::function<void(LibraryRun&)> inkAt(std::vector<std::tuple<Number, Number, QRgb>> points) {
    return [points](LibraryRun& r) {
        for (auto [x, y, rgb] : points)
            EXPECT_TRUE(r.colourNear(x, y, rgb)) << x << "," << y;
    };
}

void checkPythagorasTree(LibraryRun& r) {
    // 7 generations of squares: 1 + 2 + … + 64, each drawn as one filled polygon.
    const Lines picture = r.recordedPicture();
    EXPECT_EQ(test::countOf(picture, "\\path"), 127) << picture.size();
    EXPECT_TRUE(r.colourNear(0.75, 0.75, 65280 - 7 * 8192));
}

struct LibraryRow {
    const char* file;
    std::function<void(LibraryRun&)> check;
};

const double kRoot2 = std::sqrt(2.0), kGolden = (1 + std::sqrt(5.0)) / 2;

const LibraryRow kRows[] = {
    {"kubus_balk.txt", solid({8, {{3, 4}, {4, 4}, {2, 4}, {std::sqrt(29.0), 1}}})},
    {"kubus_diagonalen.txt", solid({8, {{4, 12}, {4 * std::sqrt(3.0), 2}}})},
    {"driezijdige_piramide.txt", solid({4, {{5, 6}}})},
    {"vierzijdige_piramide.txt", solid({5, {{4, 8}}})},
    {"achtvlak.txt", solid({6, {{4, 12}}})},
    {"twaalfvlak.txt", solid({20, {{4 / kGolden, 30}}})},
    {"twintigvlak.txt", solid({12, {{4, 30}}})},
    {"rhombisch_twaalfvlak.txt", solid({14, {{2 * std::sqrt(3.0), 24}}})},
    {"driehoek_hzh.txt", triangle({10, 0, 0, 60, 60})},
    {"driehoek_zhh.txt", triangle({1, 0, 0, 60, 110})},
    {"driehoek_zhz.txt", triangle({1, kRoot2, 0, 45, 0})},
    {"driehoek_zzz.txt", triangle({5, 4, 3, 0, 0})},
    {"stippelrooster.txt", checkDotGrid},
    {"streepjesrooster.txt", checkDashGrid},
    {"logaritmisch_papier.txt",
     inkAt({{2, 2 * std::log10(2.0), kRed}, {10, 10 * std::log10(2.0), kRed}, {0, 3, kBlack}})},
    {"zaagtand.txt", inkAt({{5, 102.5 - 98, kRed}, {10, 110 - 98, kRed}, {0.25, 1, kBlack}})},
    {"getallen_y_as_links.txt", inkAt({{10, 100, kRed}, {15, 75, kRed}, {0, 50, kBlack}})},
    {"sinus.txt",
     inkAt({{0.5 + M_PI / 2, 1, kRed}, {0.5 + 1.5 * M_PI, -1, kRed}, {-1.2 + 1, 0, kBlack}})},
    {"sinus_cosinus.txt",
     inkAt({{1.5 + M_PI / 2, 1, kRed}, {-1, -1.5 - M_PI, kBlue}, {1, -1.5 - 2 * M_PI, kBlue}})},
    {"fibonacci.txt", checkFibonacci},
    {"faculteit.txt", checkFactorial},
    {"100priem.txt", checkPrimesAfter},
    {"priemfactoren.txt", checkPrimeFactors},
    {"factor.txt", checkSmallFactors},
    {"factor2.txt", checkLargeFactors},
    {"fermat1.txt", checkFermatLittle},
    {"fermat2.txt", checkFermatLiars},
    {"pythagorasboom.txt", checkPythagorasTree},
    {"hanoi_tekst.txt", checkHanoiText},
    {"hanoi_grafisch.txt", checkHanoiDrawn},
    {"binomcdf.txt", checkBinomialCdf},
};

class LibraryPrograms : public ::testing::TestWithParam<LibraryRow> {};

TEST_P(LibraryPrograms, DoesWhatItsMenuItemPromises) {
    const LibraryRow& row = GetParam();
    const auto source = libraryProgramText(row.file);
    ASSERT_TRUE(source) << row.file;
    LibraryRun r;
    r.program(*source);
    EXPECT_TRUE(r.bench.redraw());
    EXPECT_TRUE(r.texts().empty()) << r.texts().front();
    r.output = r.bench.environment().output.lines();
    row.check(r);
}

INSTANTIATE_TEST_SUITE_P(Rows, LibraryPrograms, ::testing::ValuesIn(kRows), [](const auto& info) {
    std::string name = info.param.file;
    name = name.substr(0, name.find('.'));
    std::erase(name, '_');
    return name;
});

// The menu and the rows name the same programs, and every program file is in the menu.
TEST(LibraryMenu, EveryItemHasAProgramAndARow) {
    std::set<std::string> menu, rows, files;
    for (const LibraryGroup& group : programLibrary())
        for (const LibraryProgram& program : group.programs) {
            EXPECT_TRUE(libraryProgramText(program.file)) << program.file;
            menu.emplace(program.file);
        }
    for (const LibraryRow& row : kRows)
        rows.emplace(row.file);
    const QDir folder(QString(KALVOR_TEST_DATA) + "/../../resources/library");
    for (const QString& file : folder.entryList({"*.txt"}, QDir::Files))
        files.insert(file.toStdString());
    EXPECT_EQ(menu, rows);
    EXPECT_EQ(menu, files);
    EXPECT_FALSE(libraryProgramText("bestaat_niet.txt"));
}

// `kalvor run … --export x.png` of every program: exit status 0, no message at all.
TEST(LibraryMenu, EveryProgramExportsToPng) {
    QTemporaryDir dir;
    const QString folder = QString(KALVOR_TEST_DATA) + "/../../resources/library/";
    for (const LibraryGroup& group : programLibrary())
        for (const LibraryProgram& program : group.programs) {
            const QString file = QString::fromUtf8(program.file.data(), program.file.size());
            std::string output;
            const QString png = dir.filePath(QString(file).replace(".txt", ".png"));
            EXPECT_EQ(test::runProgram(KALVOR_EXECUTABLE,
                                       {"run", folder + file, "--timeout", "120", "--export", png},
                                       &output, dir.path()),
                      0)
                << program.file << ": " << output;
            EXPECT_TRUE(QFileInfo(png).size() > 0) << program.file;
        }
}

// ---- the documents ----

// The program blocks of an RTF document: the paragraphs between the markers
// {\*\kalvorprogramma} and {\*\kalvoreinde}, one program line each, unescaped.
std::vector<std::string> documentPrograms(const std::string& rtf) {
    std::vector<std::string> programs;
    std::istringstream in(rtf);
    std::string line, *program = nullptr;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line == "{\\*\\kalvorprogramma}") {
            program = &programs.emplace_back();
        } else if (line == "{\\*\\kalvoreinde}") {
            program = nullptr;
        } else if (program != nullptr) {
            const auto text = line.find("\\fs20 ");
            EXPECT_TRUE(text != std::string::npos && line.ends_with("\\par")) << line;
            *program +=
                QString::fromLatin1(line.substr(text + 6, line.size() - text - 10)).toStdString();
            *program += '\n';
        }
    }
    for (std::string& p : programs) {
        for (const char* escaped : {"\\\\", "\\{", "\\}"})
            for (auto at = p.find(escaped); at != std::string::npos; at = p.find(escaped, at + 1))
                p.erase(at, 1);
        EXPECT_EQ(p.find("\\'"), std::string::npos) << p;  // programs are plain ASCII
    }
    return programs;
}

// Every program printed in the documents runs as pasted, without a message, and draws or
// writes something.
TEST(Documents, EveryProgramInThemRuns) {
    const std::pair<const char*, std::size_t> documents[] = {{"introductie.doc", 10},
                                                             {"voorbeelden.doc", 6}};
    for (const auto& [name, count] : documents) {
        const std::string rtf =
            test::readBytes(QString(KALVOR_TEST_DATA) + "/../../resources/docs/" + name);
        ASSERT_TRUE(rtf.starts_with("{\\rtf1\\ansi")) << name;
        const std::vector<std::string> programs = documentPrograms(rtf);
        EXPECT_EQ(programs.size(), count) << name;
        for (const std::string& program : programs) {
            LibraryRun r;
            r.program(program);
            EXPECT_TRUE(r.bench.redraw()) << program;
            EXPECT_TRUE(r.texts().empty()) << program << r.texts().front();
            EXPECT_TRUE(r.inkPixels() > 0 || !r.bench.environment().output.lines().empty())
                << program;
        }
    }
}

}  // namespace
}  // namespace kalvor
