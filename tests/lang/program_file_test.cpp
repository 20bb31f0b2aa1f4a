#include "lang/program_file.h"

#include "expr/host.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

namespace kalvor {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

/// A fresh folder for one test, removed afterwards.
class ProgramFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("kalvor_program_file_" + std::to_string(::getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    fs::path write(const std::string& name, const std::string& bytes) {
        const fs::path path = m_dir / name;
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    static std::string bytesOf(const fs::path& path) {
        std::ifstream file(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

    size_t filesInDir() const {
        return static_cast<size_t>(std::distance(fs::directory_iterator(m_dir), {}));
    }

    fs::path m_dir;
};

TEST_F(ProgramFileTest, ReadsBothLineEnds) {
    struct Case {
        const char* bytes;
        Lines lines;
    };
    const Case cases[] = {
        {"lijn\r\n1\r\n\r\n#\r\n", {"lijn", "1", "", "#"}},
        {"lijn\n1\n\n#\n", {"lijn", "1", "", "#"}},
        {"lijn\r\n1\n#", {"lijn", "1", "#"}},
        {"", {}},
        {"\r\n", {""}},
        {" a \t\r\n", {" a \t"}},
    };
    for (const Case& c : cases) {
        const fs::path path = write("p.txt", c.bytes);
        const std::optional<Lines> lines = readProgramLines(path);
        ASSERT_TRUE(lines) << c.bytes;
        EXPECT_EQ(*lines, c.lines) << c.bytes;
    }
    EXPECT_FALSE(readProgramLines(m_dir / "ontbreekt.txt"));
    EXPECT_FALSE(readProgramLines(m_dir));
}

TEST_F(ProgramFileTest, WritesCrLfAndReadsBack) {
    const Lines lines = {"maak", "x", "3", "", "eind"};
    const fs::path path = m_dir / "gecompileerd.txt";
    ASSERT_TRUE(writeCompiledProgram(path, lines));
    EXPECT_EQ(bytesOf(path), "maak\r\nx\r\n3\r\n\r\neind\r\n");
    EXPECT_EQ(readProgramLines(path), lines);
}

TEST_F(ProgramFileTest, SaveReplacesTheFileAndLeavesNoTemporary) {
    const fs::path path = write("prog.txt", "oud\r\n");
    ASSERT_TRUE(writeCompiledProgram(path, {"nieuw"}));
    EXPECT_EQ(bytesOf(path), "nieuw\r\n");
    ASSERT_TRUE(writeCompiledProgram(path, {}));
    EXPECT_EQ(bytesOf(path), "");
    EXPECT_EQ(filesInDir(), 1u);
}

TEST_F(ProgramFileTest, FailedSaveKeepsWhatWasThere) {
    EXPECT_FALSE(writeCompiledProgram(m_dir / "geen_map" / "prog.txt", {"x"}));
    EXPECT_FALSE(fs::exists(m_dir / "geen_map"));
    // A folder in the way cannot be replaced by the file.
    fs::create_directories(m_dir / "map");
    write("map/binnen.txt", "blijft\r\n");
    EXPECT_FALSE(writeCompiledProgram(m_dir / "map", {"x"}));
    EXPECT_EQ(bytesOf(m_dir / "map" / "binnen.txt"), "blijft\r\n");
    EXPECT_EQ(filesInDir(), 1u);
}

TEST_F(ProgramFileTest, IncludeResolverLooksAsWrittenThenBelowStartup) {
    write("lib/sub/prog.txt", "lijn\r\n0\r\n");
    const fs::path absolute = write("abs.txt", "eind\n");
    FileIncludeResolver resolver(m_dir / "lib");
    const Lines prog = {"lijn", "0"};
    const std::tuple<std::string, std::optional<Lines>> cases[] = {
        {absolute.string(), Lines{"eind"}},
        {"sub\\prog.txt", prog},
        {"sub/prog.txt", prog},
        {"\\sub\\prog.txt", prog},
        {"sub\\ontbreekt.txt", std::nullopt},
        {"sub", std::nullopt},
    };
    for (const auto& [name, lines] : cases) {
        EXPECT_EQ(resolver.readIncludedLines(name), lines) << name;
    }
}

/// Answers the open dialog with a fixed file, or cancels it when there is none.
class DialogHost : public Host {
public:
    std::optional<std::string> answer;
    std::vector<std::string> presets;

    bool chooseFileToOpen(std::string_view, std::string& path) override {
        presets.push_back(path);
        if (!answer) return false;
        path = *answer;
        return true;
    }
    Answer messageBox(std::string_view, std::string_view, Icon, Buttons) override {
        return Answer::Ok;
    }
    bool inputDialog(std::string_view, std::string_view, std::string&) override { return false; }
    void processEvents() override {}
    void sleepMs(int) override {}
    void setClipboardText(std::string_view) override {}
    std::string clipboardText() override { return {}; }
    void setClipboardImage(const QImage&) override {}
    bool openDocument(std::string_view) override { return true; }
};

TEST_F(ProgramFileTest, MissingIncludeAsksForTheFile) {
    const fs::path chosen = write("elders.txt", "eind\r\n");
    DialogHost host;
    FileIncludeResolver resolver(m_dir, &host);
    host.answer = chosen.string();
    EXPECT_EQ(resolver.readIncludedLines("map\\weg.txt"), Lines{"eind"});
    host.answer.reset();
    EXPECT_EQ(resolver.readIncludedLines("weg.txt"), std::nullopt);
    EXPECT_EQ(host.presets, (Lines{"map/weg.txt", "weg.txt"}));
    // A file that exists is read without asking.
    write("er.txt", "x\n");
    EXPECT_EQ(resolver.readIncludedLines("er.txt"), Lines{"x"});
    EXPECT_EQ(host.presets.size(), 2u);
}

TEST_F(ProgramFileTest, CompilingWithAMissingIncludeNamesIt) {
    write("deel.txt", "maak\r\nx\r\n1\r\n");
    FileIncludeResolver resolver(m_dir);
    const CompileResult result = compileProgram({"&deel.txt", "&weg.txt", "eind"}, resolver);
    EXPECT_EQ(result.lines, (Lines{"maak", "x", "1"}));
    EXPECT_EQ(result.failedInclude, "weg.txt");
    EXPECT_EQ(includeFailureMessage("weg.txt"), "Het bestand \"weg.txt\" kan niet worden geopend.");
}

}  // namespace
}  // namespace kalvor
