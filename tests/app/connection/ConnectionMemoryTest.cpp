#include "app/connection/ConnectionMemory.h"

#include "platform/ini/IniFile.h"
#include "platform/program/Program.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

class ConnectionMemoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::path(::testing::TempDir()) / "memory-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        platform::setProgramPath((folder_ / "tabloom").string());
    }
    void TearDown() override {
        platform::setProgramPath("");
        fs::remove_all(folder_);
    }
    std::string memoryPath() const { return (folder_ / "tabloom_dns.ini").string(); }

    fs::path folder_;
};

TEST_F(ConnectionMemoryTest, TheFileIsTheProgramsPathWithoutExtensionAndDnsIni) {
    const struct {
        const char* program;
        const char* file;
    } cases[] = {
        {"/opt/x/tabloom", "/opt/x/tabloom_dns.ini"},
        {"/opt/x/tabloom.bin", "/opt/x/tabloom_dns.ini"},
        {"/opt/x/TABLOOM.EXE", "/opt/x/TABLOOM_dns.ini"},
        {"/opt/x/tab.loom.bin", "/opt/x/tab.loom_dns.ini"},
        {"/opt/x.d/tabloom", "/opt/x.d/tabloom_dns.ini"},
    };
    for (const auto& c : cases) {
        platform::setProgramPath(c.program);
        EXPECT_EQ(connectionMemoryFile(), c.file) << c.program;
    }
}

TEST_F(ConnectionMemoryTest, WithoutAFileEveryEntryIsEmpty) {
    const ConnectionMemory memory = ConnectionMemory::load();
    EXPECT_EQ(memory.dsn, "");
    EXPECT_EQ(memory.username, "");
    EXPECT_EQ(memory.password, "");
    EXPECT_EQ(memory.connectString, "");
}

TEST_F(ConnectionMemoryTest, EntriesSurviveARoundTripInAFileOnlyTheOwnerMayRead) {
    const std::string longString = "DRIVER=SQLite3;Database=" + std::string(512 - 24, 'x');
    ConnectionMemory{"Sales", "admin", "p=w;d", longString}.store();

    const ConnectionMemory memory = ConnectionMemory::load();
    EXPECT_EQ(memory.dsn, "Sales");
    EXPECT_EQ(memory.username, "admin");
    EXPECT_EQ(memory.password, "p=w;d");
    EXPECT_EQ(memory.connectString, longString);
    EXPECT_EQ(platform::getIni("Last connectstring", "DNS", "", memoryPath()), "Sales");
    EXPECT_EQ(platform::getIni("Last connectstring", "Connectstring", "", memoryPath()), longString);
    struct stat status {};
    ASSERT_EQ(::stat(memoryPath().c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);
}

}  // namespace
