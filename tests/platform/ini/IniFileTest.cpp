#include "platform/ini/IniFile.h"

#include "platform/system/Errors.h"

#include "support/Unprivileged.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

#include <sys/stat.h>

namespace platform {
namespace {

namespace fs = std::filesystem;

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::path(::testing::TempDir()) / "ini-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string path(const std::string& name = "test.ini") const { return (folder_ / name).string(); }

    void writeRaw(const std::string& text) const {
        std::ofstream(path(), std::ios::binary | std::ios::trunc) << text;
    }
    std::string readRaw() const {
        std::ostringstream text;
        text << std::ifstream(path(), std::ios::binary).rdbuf();
        return text.str();
    }
    // Leftover temporary files would show up here.
    std::vector<std::string> folderEntries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_)) names.push_back(entry.path().filename());
        return names;
    }
    mode_t modeOf(const std::string& file) const {
        struct stat status {};
        EXPECT_EQ(::stat(file.c_str(), &status), 0);
        return status.st_mode & 07777;
    }

    fs::path folder_;
};

TEST_F(IniFileTest, ValuesSurviveRoundTrip) {
    std::string longValue;
    while (longValue.size() < 600) longValue += "abc;def=ghi \"j\" ";
    longValue += "end";
    const std::vector<std::string> values = {
        "plain", "a;b", "x=y=z", "\"quoted\"", "'single'", "  leading", "trailing\t",
        " \"both\" ", "", "\"", "'", "it's", "\"open", "caf\xE9 \x80\xFF", longValue,
    };
    const IniFile ini(path());
    for (std::size_t i = 0; i < values.size(); ++i)
        ASSERT_TRUE(ini.put("Values", "k" + std::to_string(i), values[i]));
    for (std::size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(ini.get("Values", "k" + std::to_string(i), "<default>"), values[i]) << "k" << i;
}

TEST_F(IniFileTest, GetReadsProfileText) {
    const std::vector<std::string> lines = {
        "; Name=comment before any section",
        "[Main]",
        "Name = Alpha  ",
        "Quoted=\"  spaced  \"",
        "Single='x'",
        "Mismatched=\"x'",
        "Empty=",
        "Equals=a=b;c",
        ";Commented=yes",
        "  Indented\t=\tvalue",
        "[ Other ]",
        "Name=Beta",
    };
    struct Case {
        const char* section;
        const char* key;
        const char* expected;
    };
    const Case cases[] = {
        {"Main", "Name", "Alpha"},
        {"MAIN", "name", "Alpha"},
        {"main", "Quoted", "  spaced  "},
        {"Main", "Single", "x"},
        {"Main", "Mismatched", "\"x'"},
        {"Main", "Empty", ""},
        {"Main", "Equals", "a=b;c"},
        {"Main", "Commented", "<default>"},
        {"Main", "Indented", "value"},
        {"other", "NAME", "Beta"},
        {"Other", "Quoted", "<default>"},
        {"Main", "Missing", "<default>"},
        {"Missing", "Name", "<default>"},
    };
    // LF files and a missing final line break read the same as CR LF files.
    for (const std::string lineBreak : {"\r\n", "\n"}) {
        for (const bool finalBreak : {true, false}) {
            std::string text;
            for (const auto& line : lines) text += line + lineBreak;
            if (!finalBreak) text.resize(text.size() - lineBreak.size());
            writeRaw(text);
            for (const Case& c : cases) {
                SCOPED_TRACE(::testing::Message() << c.section << "/" << c.key << " lf=" << (lineBreak == "\n")
                                                  << " finalBreak=" << finalBreak);
                EXPECT_EQ(getIni(c.section, c.key, "<default>", path()), c.expected);
            }
        }
    }
}

TEST_F(IniFileTest, GetGivesDefaultForMissingFile) {
    EXPECT_EQ(getIni("Main", "Name", "fallback", path("absent.ini")), "fallback");
    EXPECT_FALSE(fs::exists(path("absent.ini")));
}

TEST_F(IniFileTest, PutEditsOnlyWhatItMust) {
    const std::string twoSections = "; top\r\n[A]\r\nx = 1 \r\n; note\r\ny=2\r\n\r\n[B]\r\nx=3\r\n";
    struct Case {
        const char* name;
        std::optional<std::string> before;
        const char* section;
        const char* key;
        const char* value;
        std::string after;
    };
    const Case cases[] = {
        {"creates file", std::nullopt, "A", "x", "1", "[A]\r\nx=1\r\n"},
        {"empty file", "", "A", "x", "1", "[A]\r\nx=1\r\n"},
        {"replaces in place", twoSections, "a", "X", "9",
         "; top\r\n[A]\r\nx = 9 \r\n; note\r\ny=2\r\n\r\n[B]\r\nx=3\r\n"},
        {"replaces in its own section", twoSections, "B", "x", "9",
         "; top\r\n[A]\r\nx = 1 \r\n; note\r\ny=2\r\n\r\n[B]\r\nx=9\r\n"},
        {"new key before blank lines of its section", twoSections, "A", "z", "5",
         "; top\r\n[A]\r\nx = 1 \r\n; note\r\ny=2\r\nz=5\r\n\r\n[B]\r\nx=3\r\n"},
        {"new key into empty section", "[A]\r\n[B]\r\nx=3\r\n", "A", "z", "5", "[A]\r\nz=5\r\n[B]\r\nx=3\r\n"},
        {"new section after blank line", "[A]\r\nx=1\r\n", "C", "k", "v", "[A]\r\nx=1\r\n\r\n[C]\r\nk=v\r\n"},
        {"no second blank line", "[A]\r\nx=1\r\n\r\n", "C", "k", "v", "[A]\r\nx=1\r\n\r\n[C]\r\nk=v\r\n"},
        {"missing final line break", "[A]\r\nx=1", "A", "y", "2", "[A]\r\nx=1\r\ny=2\r\n"},
        {"LF lines stay LF", "[A]\nx=1\n[B]\ny=2\n", "A", "x", "7", "[A]\nx=7\n[B]\ny=2\n"},
        {"outer blanks quoted", "[A]\r\n", "A", "k", " v ", "[A]\r\nk=\" v \"\r\n"},
        {"section and key trimmed", "", " A ", " k ", "v", "[A]\r\nk=v\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(path());
        if (c.before) writeRaw(*c.before);
        ASSERT_TRUE(putIni(c.section, c.key, c.value, path()));
        EXPECT_EQ(readRaw(), c.after);
        EXPECT_EQ(folderEntries(), std::vector<std::string>{"test.ini"});
    }
}

TEST_F(IniFileTest, PutRefusesEntriesThatCannotBeStored) {
    struct Case {
        const char* section;
        const char* key;
        const char* value;
    };
    const Case cases[] = {
        {"S", "k", "line\r\nbreak"}, {"S", "k", "line\nbreak"}, {"S", "k", "line\rbreak"},
        {"S", "k\n", "v"},           {"S\r", "k", "v"},          {"S", "a=b", "v"},
        {"S", "", "v"},              {"", "k", "v"},             {"S]", "k", "v"},
    };
    const std::string before = "[S]\r\nk=1\r\n";
    writeRaw(before);
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "section=" << c.section << " key=" << c.key << " value=" << c.value);
        clearError();
        EXPECT_FALSE(putIni(c.section, c.key, c.value, path()));
        EXPECT_NE(ERRORCODE(), kNoError);
        EXPECT_EQ(readRaw(), before);
        EXPECT_EQ(folderEntries(), std::vector<std::string>{"test.ini"});
    }
}

TEST_F(IniFileTest, ModeOfNewFileFollowsPermissionsAndExistingFileKeepsIt) {
    struct Case {
        const char* name;
        std::optional<mode_t> existingMode;
        IniFile::Permissions permissions;
        mode_t expected;
    };
    const Case cases[] = {
        {"new, default", std::nullopt, IniFile::Permissions::Default, 0644},
        {"new, owner only", std::nullopt, IniFile::Permissions::OwnerOnly, 0600},
        {"existing, owner only", 0664, IniFile::Permissions::OwnerOnly, 0664},
        {"existing, default", 0600, IniFile::Permissions::Default, 0600},
    };
    const mode_t savedUmask = ::umask(022);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(path());
        if (c.existingMode) {
            writeRaw("[A]\r\nx=1\r\n");
            ASSERT_EQ(::chmod(path().c_str(), *c.existingMode), 0);
        }
        ASSERT_TRUE(putIni("A", "x", "2", path(), c.permissions));
        EXPECT_EQ(modeOf(path()), c.expected);
    }
    ::umask(savedUmask);
}

TEST_F(IniFileTest, PutIntoMissingFolderFails) {
    const std::string file = path("missing/test.ini");
    EXPECT_FALSE(putIni("A", "x", "1", file));
    EXPECT_EQ(ERRORCODE(), kPathNotFound);
    EXPECT_TRUE(folderEntries().empty());
}

class IniFileUnprivilegedTest : public Unprivileged<IniFileTest> {};

TEST_F(IniFileUnprivilegedTest, PutIntoReadOnlyFolderFailsAndKeepsFile) {
    writeRaw("[A]\r\nx=1\r\n");
    ASSERT_EQ(::chmod(folder_.c_str(), 0500), 0);
    EXPECT_FALSE(putIni("A", "x", "2", path()));
    EXPECT_EQ(ERRORCODE(), kAccessDenied);
    ::chmod(folder_.c_str(), 0700);
    EXPECT_EQ(readRaw(), "[A]\r\nx=1\r\n");
}

}  // namespace
}  // namespace platform
