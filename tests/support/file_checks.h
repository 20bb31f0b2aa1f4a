#pragma once

// Helpers for tests that check written files: golden comparison and outside checkers.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <string>

namespace kalvor::test {

inline std::string readBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll().toStdString();
}

inline bool writeBytes(const QString& path, const std::string& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
               static_cast<qint64>(bytes.size());
}

/// The golden file tests/data/<name>; with KALVOR_UPDATE_GOLDEN=1 in the environment the
/// golden is rewritten from `actual` first (review the diff before committing it).
inline std::string golden(const std::string& name, const std::string& actual) {
    const QString path = QString(KALVOR_TEST_DATA) + "/" + QString::fromStdString(name);
    if (qEnvironmentVariableIntValue("KALVOR_UPDATE_GOLDEN") == 1) writeBytes(path, actual);
    return readBytes(path);
}

inline bool haveProgram(const char* name) {
    return !QStandardPaths::findExecutable(name).isEmpty();
}

/// Runs a program; returns its exit code (-1 when it did not run) and its output.
inline int runProgram(const QString& program, const QStringList& args, std::string* output,
                      const QString& workingDir = {}) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (!workingDir.isEmpty()) process.setWorkingDirectory(workingDir);
    process.start(program, args);
    if (!process.waitForFinished(120000)) return -1;
    if (output) *output = process.readAll().toStdString();
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

}  // namespace kalvor::test
