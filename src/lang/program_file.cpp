#include "lang/program_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <fstream>
#include <iterator>
#include <system_error>

#include "expr/host.h"

namespace kalvor {

namespace {

std::string withSlashes(std::string_view name) {
    std::string path(name);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

bool isFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

bool writeAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

/// Creates a new file beside `target` that no one else uses; -1 when that is impossible.
int createTemporaryBeside(const std::filesystem::path& target, std::filesystem::path& temporary) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = target;
        temporary += ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

}  // namespace

std::optional<std::vector<std::string>> readProgramLines(const std::filesystem::path& path) {
    if (!isFile(path)) return std::nullopt;
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad()) return std::nullopt;
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = std::min(text.find('\n', start), text.size());
        std::string line = text.substr(start, end - start);
        if (line.ends_with('\r')) line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

bool writeCompiledProgram(const std::filesystem::path& path,
                          const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    std::filesystem::path temporary;
    const int fd = createTemporaryBeside(path, temporary);
    if (fd < 0) return false;
    const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (written && closed && ::rename(temporary.c_str(), path.c_str()) == 0) return true;
    ::unlink(temporary.c_str());
    return false;
}

FileIncludeResolver::FileIncludeResolver(std::filesystem::path startupDirectory, Host* host)
    : m_startupDirectory(std::move(startupDirectory)), m_host(host) {}

std::optional<std::vector<std::string>> FileIncludeResolver::readIncludedLines(
    std::string_view name) {
    const std::string asWritten = withSlashes(name);
    if (isFile(asWritten)) return readProgramLines(asWritten);
    // Joined as text: a name that starts with a separator still lies below the startup folder.
    const std::string belowStartup = m_startupDirectory.string() + "/" + asWritten;
    if (isFile(belowStartup)) return readProgramLines(belowStartup);
    std::string chosen = asWritten;
    if (m_host != nullptr && m_host->chooseFileToOpen("Openen", chosen)) {
        return readProgramLines(chosen);
    }
    return std::nullopt;
}

}  // namespace kalvor
