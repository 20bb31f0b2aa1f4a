#include "graph/outside_factoring.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <regex>
#include <sstream>

namespace kalvor {

namespace {

constexpr int kPollMs = 100;

QStringList argumentsFor(const FactoringProgram& program, const std::string& n) {
    // msieve's own deadline option keeps it within the limit; ours ends it if not.
    if (program.kind == FactoringProgram::Kind::Msieve)
        return {QStringLiteral("-d"), QStringLiteral("2"), QStringLiteral("-q"),
                QString::fromStdString(n)};
    return {QStringLiteral("-q"), QStringLiteral("-f")};
}

// gp reads its script from standard input; the number is decimal digits only.
std::string gpScript(const std::string& n) {
    return "f=factor(" + n + ");for(i=1,#f~,print(f[i,1],\" \",f[i,2]))\nquit\n";
}

bool waitFor(QProcess& process, const Progress& progress, std::chrono::milliseconds limit,
             OutsideFactorisation::Status& status) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!process.waitForFinished(kPollMs)) {
        if (process.state() == QProcess::NotRunning) break;
        if (!keepGoing(progress))
            status = OutsideFactorisation::Status::Cancelled;
        else if (std::chrono::steady_clock::now() >= deadline)
            status = OutsideFactorisation::Status::TimedOut;
        else
            continue;
        process.kill();
        process.waitForFinished();
        return false;
    }
    return process.exitStatus() == QProcess::NormalExit;
}

bool multipliesTo(const std::vector<FactorPower>& factors, const BigInt& n) {
    if (factors.empty()) return false;
    BigInt product(1);
    for (const FactorPower& f : factors) {
        if (f.prime.compare(1) <= 0 || f.exponent < 1) return false;
        BigInt power = f.prime;
        if (!power.power(f.exponent) || !product.multiply(power)) return false;
    }
    return product == n;
}

std::string factorLine(const FactorPower& f) {
    return f.exponent == 1 ? f.prime.toString()
                           : f.prime.toString() + "^" + std::to_string(f.exponent);
}

std::string failureLine(OutsideFactorisation::Status status, const FactoringProgram& program) {
    switch (status) {
        case OutsideFactorisation::Status::TimedOut:
            return "tijdslimiet bereikt";
        case OutsideFactorisation::Status::Cancelled:
            return "afgebroken";
        case OutsideFactorisation::Status::WrongResult:
            return "de uitkomst van " + program.name() + " klopt niet en wordt niet getoond";
        default:
            return program.name() + " gaf geen uitkomst";
    }
}

}  // namespace

std::optional<FactoringProgram> findFactoringProgram() {
    const QString msieve = QStandardPaths::findExecutable(QStringLiteral("msieve"));
    if (!msieve.isEmpty()) return FactoringProgram{FactoringProgram::Kind::Msieve, msieve};
    const QString gp = QStandardPaths::findExecutable(QStringLiteral("gp"));
    if (!gp.isEmpty()) return FactoringProgram{FactoringProgram::Kind::Gp, gp};
    return std::nullopt;
}

std::vector<FactorPower> parseFactoringOutput(FactoringProgram::Kind kind,
                                              const std::string& text) {
    static const std::regex msieveLine(R"(^\s*(?:p|prp)\d+:\s*(\d+)\s*$)");
    static const std::regex gpLine(R"(^\s*(\d+)\s+(\d{1,6})\s*$)");
    std::vector<FactorPower> factors;
    std::istringstream lines(text);
    std::string line;
    std::smatch match;
    while (std::getline(lines, line)) {
        if (kind == FactoringProgram::Kind::Msieve && std::regex_match(line, match, msieveLine))
            factors.push_back({BigInt(match[1].str()), 1});
        else if (kind == FactoringProgram::Kind::Gp && std::regex_match(line, match, gpLine))
            factors.push_back({BigInt(match[1].str()), std::stoi(match[2].str())});
    }
    return factors;
}

OutsideFactorisation factorOutside(const FactoringProgram& program, const BigInt& n,
                                   const Progress& progress, std::chrono::milliseconds limit) {
    OutsideFactorisation result;
    QTemporaryDir folder;
    if (!folder.isValid()) return result;
    result.folder = folder.path().toStdString();
    const std::string digits = n.toString();
    QProcess process;
    process.setWorkingDirectory(folder.path());
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start(program.path, argumentsFor(program, digits));
    if (!process.waitForStarted()) return result;
    if (program.kind == FactoringProgram::Kind::Gp) process.write(gpScript(digits).c_str());
    process.closeWriteChannel();
    if (!waitFor(process, progress, limit, result.status)) return result;
    result.factors =
        parseFactoringOutput(program.kind, process.readAllStandardOutput().toStdString());
    const bool right = multipliesTo(result.factors, n);
    result.status =
        right ? OutsideFactorisation::Status::Factored : OutsideFactorisation::Status::WrongResult;
    if (!right) result.factors.clear();
    return result;
}

void factorWithOutsideProgram(const BigInt& n, const LineWriter& write, const Progress& progress) {
    const std::optional<FactoringProgram> program = findFactoringProgram();
    if (!program) {
        write("geen extern factorisatieprogramma gevonden (msieve of gp)");
        write(unfactoredLine(n));
        return;
    }
    const std::string method =
        program->kind == FactoringProgram::Kind::Msieve ? "quadratic sieve" : "factor";
    write("start " + program->name() + ": " + method + " om " + n.toString() + " te factoriseren");
    write("extern programma in een eigen tijdelijke map");
    write("tijdsduur beperkt tot 2 minuten");
    const OutsideFactorisation result = factorOutside(*program, n, progress);
    if (result.status != OutsideFactorisation::Status::Factored) {
        write(failureLine(result.status, *program));
        write(unfactoredLine(n));
        return;
    }
    for (const FactorPower& f : result.factors)
        write(factorLine(f));
}

}  // namespace kalvor
