#include "platform/files/LineFile.h"
#include "platform/system/Errors.h"

#include "support/Unprivileged.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

using namespace platform;
namespace fs = std::filesystem;

namespace {

class LineFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "tabloom-linefile-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder = pattern;
    }
    void TearDown() override {
        fs::permissions(folder, fs::perms::owner_all);
        fs::remove_all(folder);
    }
    std::string bytesOf(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    void writeBytes(const fs::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }

    fs::path folder;
};

TEST_F(LineFileTest, AddWritesClippedLinesWithCrLfAsTheirBytes) {
    const fs::path path = folder / "out.txt";
    writeBytes(path, "old contents\r\n");
    LineFile file(path.string());
    ASSERT_TRUE(file.create());
    ASSERT_TRUE(file.open());
    EXPECT_TRUE(file.add("first   "));
    EXPECT_TRUE(file.add(""));
    EXPECT_TRUE(file.add("   "));
    EXPECT_TRUE(file.add("Caf\xE9 '\x80'"));
    EXPECT_TRUE(file.close());
    EXPECT_EQ(ERRORCODE(), 0);
    EXPECT_EQ(bytesOf(path), "first\r\n\r\n\r\nCaf\xE9 '\x80'\r\n");
}

TEST_F(LineFileTest, LinesLongerThanTheRecordAreCutWhenWrittenAndRead) {
    const fs::path path = folder / "wide.txt";
    LineFile file(path.string(), 4);
    ASSERT_TRUE(file.create() && file.open());
    file.add("abcdef");
    file.close();
    EXPECT_EQ(bytesOf(path), "abcd\r\n");

    writeBytes(path, "123456\r\n");
    ASSERT_TRUE(file.open(kReadOnly));
    ASSERT_TRUE(file.next());
    EXPECT_EQ(file.line(), "1234");
    file.close();

    const std::string longLine(5000, 'k');
    LineFile unlimited(path.string(), kAnyLineWidth);
    ASSERT_TRUE(unlimited.create() && unlimited.open());
    EXPECT_TRUE(unlimited.add(longLine));
    unlimited.close();
    EXPECT_EQ(bytesOf(path), longLine + "\r\n");
}

TEST_F(LineFileTest, SetAndNextReadEveryLineThenReportTheEnd) {
    const fs::path path = folder / "in.txt";
    writeBytes(path, "one\r\n\r\ntwo\nthree");
    LineFile file(path.string());
    ASSERT_TRUE(file.open(kReadOnly));
    ASSERT_TRUE(file.set());
    std::vector<std::string> lines;
    while (file.next()) lines.push_back(file.line());
    EXPECT_EQ(lines, (std::vector<std::string>{"one", "", "two", "three"}));
    EXPECT_EQ(ERRORCODE(), 33);

    ASSERT_TRUE(file.set());
    ASSERT_TRUE(file.next());
    EXPECT_EQ(file.line(), "one");
}

TEST_F(LineFileTest, AnOpenFileTakesLinesAfterItsContents) {
    const fs::path path = folder / "log.txt";
    writeBytes(path, "kept\r\n");
    LineFile file(path.string());
    ASSERT_TRUE(file.open());
    ASSERT_TRUE(file.next());
    EXPECT_TRUE(file.add("added"));
    file.close();
    EXPECT_EQ(bytesOf(path), "kept\r\nadded\r\n");
}

TEST_F(LineFileTest, FailuresSetTheErrorState) {
    const fs::path plainFile = folder / "plain";
    writeBytes(plainFile, "x");
    struct Case {
        const char* what;
        std::function<bool(LineFile&)> step;
        fs::path name;
        int code;
    };
    const Case cases[] = {
        {"create in a missing folder", [](LineFile& f) { return f.create(); }, folder / "missing" / "a.txt",
         kPathNotFound},
        {"create under a plain file", [](LineFile& f) { return f.create(); }, plainFile / "a.txt", kPathNotFound},
        {"open a missing file", [](LineFile& f) { return f.open(); }, folder / "none.txt", kFileNotFound},
        {"add to a closed file", [](LineFile& f) { return f.add("x"); }, plainFile, kFileNotOpen},
        {"next on a closed file", [](LineFile& f) { return f.next(); }, plainFile, kFileNotOpen},
        {"close a closed file", [](LineFile& f) { return f.close(); }, plainFile, kFileNotOpen},
        {"add to a read-only open", [](LineFile& f) { return f.open(kReadOnly) && f.add("x"); }, plainFile,
         kAccessDenied},
        {"create over a folder", [](LineFile& f) { return f.create(); }, folder, kFileSystemError},
        {"add to a full disk, then close", [](LineFile& f) { return f.open() && f.add("x") && f.close(); },
         "/dev/full", kFileSystemError},
    };
    for (const Case& c : cases) {
        clearError();
        LineFile file(c.name.string());
        EXPECT_FALSE(c.step(file)) << c.what;
        EXPECT_EQ(ERRORCODE(), c.code) << c.what;
        EXPECT_FALSE(ERROR().empty()) << c.what;
    }
    EXPECT_EQ(bytesOf(plainFile), "x");
}

TEST_F(LineFileTest, RenameReplacesTheTargetAndRemoveDeletes) {
    const fs::path made = folder / "new.tmp";
    const fs::path target = folder / "dictionary.txd";
    writeBytes(target, "old\r\n");
    LineFile file(made.string());
    ASSERT_TRUE(file.create() && file.open() && file.add("new"));
    EXPECT_FALSE(file.rename(target.string())) << "an open file keeps its name";
    EXPECT_EQ(ERRORCODE(), kAccessDenied);
    ASSERT_TRUE(file.close());
    ASSERT_TRUE(file.rename(target.string()));
    EXPECT_EQ(file.name(), target.string());
    EXPECT_FALSE(fs::exists(made));
    EXPECT_EQ(bytesOf(target), "new\r\n");
    EXPECT_TRUE(file.remove());
    EXPECT_FALSE(fs::exists(target));
    EXPECT_FALSE(file.remove());
    EXPECT_EQ(ERRORCODE(), kFileNotFound);
    EXPECT_FALSE(file.rename((folder / "other").string()));
    EXPECT_EQ(ERRORCODE(), kFileNotFound);
}

TEST_F(LineFileTest, AReplacementGoesWhereTheRegularFileIs) {
    const fs::path real = folder / "real.txd";
    writeBytes(real, "x");
    fs::create_symlink(real, folder / "link.txd");
    EXPECT_EQ(replacedFile(real.string()), real.string());
    EXPECT_EQ(replacedFile((folder / "link.txd").string()), real.string()) << "the link stays a link";
    EXPECT_EQ(replacedFile((folder / "new.txd").string()), (folder / "new.txd").string()) << "not there yet";
    EXPECT_EQ(replacedFile("/dev/null"), "") << "a device is written into";
    EXPECT_EQ(replacedFile(folder.string()), "");
}

class LineFileUnprivilegedTest : public Unprivileged<LineFileTest> {};

TEST_F(LineFileUnprivilegedTest, AFolderWithoutWritePermissionGivesAccessDenied) {
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    LineFile file((folder / "a.txt").string());
    EXPECT_FALSE(file.create());
    EXPECT_EQ(ERRORCODE(), kAccessDenied);
}

TEST_F(LineFileTest, TheNameIsWindows1252Text) {
    LineFile file((folder / "caf\xE9.txt").string());
    ASSERT_TRUE(file.create());
    EXPECT_TRUE(fs::exists(folder / "caf\xC3\xA9.txt"));
}

}  // namespace
