#include "platform/files/FileSavepoint.h"
#include "platform/files/FileTransaction.h"
#include "ItemFile.h"
#include "platform/system/Errors.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <csignal>
#include <cstring>
#include <sys/wait.h>
#include <unistd.h>

using namespace platform;
namespace fs = std::filesystem;

namespace {

class FileTransactionTest : public ::testing::Test {
protected:
    void TearDown() override {
        if (FileTransaction::instance().active()) COMMIT();
    }
    // A created item file, open when asked.
    std::unique_ptr<ItemFile> item(const std::string& name, bool open = true) {
        auto file = std::make_unique<ItemFile>(folder.file(name));
        if (!fs::exists(folder.file(name))) {
            EXPECT_TRUE(file->create()) << ERROR();
        }
        if (open) {
            EXPECT_TRUE(file->open()) << ERROR();
        }
        return file;
    }
    bool has(ItemFile& file, std::string_view tag) {
        file.rec.TAG = tag;
        return file.get(file.BYTAG);
    }

    TempFolder folder;
};

TEST_F(FileTransactionTest, EnrolledFilesChangeTogetherAtCommitOthersAtOnce) {
    auto a = item("A"), b = item("B"), c = item("C");
    // Another program's view of the same files.
    auto otherA = item("A"), otherC = item("C");
    a->setProperty(PROP_Logout, "1");
    b->setProperty(PROP_Logout, "2");

    EXPECT_FALSE(COMMIT());
    EXPECT_EQ(ERRORCODE(), kNoLogoutActive);
    ASSERT_TRUE(LOGOUT(1)) << ERROR();
    ASSERT_TRUE(a->addItem("a1", 1));
    ASSERT_TRUE(b->addItem("b1", 1));
    ASSERT_TRUE(c->addItem("c1", 1));
    EXPECT_TRUE(has(*a, "a1")) << "the transaction sees its own changes";
    EXPECT_EQ(b->records(), 1);
    EXPECT_FALSE(has(*otherA, "a1")) << "nobody else does before the commit";
    EXPECT_TRUE(has(*otherC, "c1")) << "a file not enrolled writes at once";

    EXPECT_FALSE(LOGOUT(1));
    EXPECT_EQ(ERRORCODE(), kLogoutAlreadyActive);
    EXPECT_TRUE(a->addItem("a2", 2)) << "the open transaction goes on";

    ASSERT_TRUE(COMMIT()) << ERROR();
    EXPECT_TRUE(has(*otherA, "a1"));
    EXPECT_TRUE(has(*otherA, "a2"));
    EXPECT_FALSE(COMMIT());
    EXPECT_EQ(ERRORCODE(), kNoLogoutActive);
    ASSERT_TRUE(a->addItem("a3", 3));
    EXPECT_TRUE(has(*otherA, "a3")) << "after the commit the file writes at once again";
}

TEST_F(FileTransactionTest, ACommitThatWroteNothingTouchesNoFileAndEndsTheTransaction) {
    auto a = item("A"), b = item("B"), otherA = item("A");
    a->setProperty(PROP_Logout, "1");
    b->setProperty(PROP_Logout, "2");
    ASSERT_TRUE(LOGOUT(1)) << ERROR();
    EXPECT_FALSE(has(*a, "none"));
    const fs::file_time_type folderBefore = fs::last_write_time(folder.path());
    ASSERT_TRUE(COMMIT()) << ERROR();
    EXPECT_EQ(fs::last_write_time(folder.path()), folderBefore) << "no journal made and removed";
    EXPECT_FALSE(FileTransaction::instance().active());
    EXPECT_TRUE(otherA->addItem("a1", 1)) << "its locks are free";

    ASSERT_TRUE(LOGOUT(1)) << ERROR();
    ASSERT_TRUE(b->addItem("b1", 1));
    ASSERT_TRUE(COMMIT()) << ERROR();
    auto otherB = item("B");
    EXPECT_TRUE(has(*otherB, "b1")) << "a transaction that wrote keeps what it wrote";
}

TEST_F(FileTransactionTest, LogoutTakesEveryLockOrNone) {
    auto a = item("A"), b = item("B");
    auto otherB = item("B");
    a->setProperty(PROP_Logout, "1");
    b->setProperty(PROP_Logout, "2");
    {
        // Another program is writing B.
        FileSavepoint writing(*otherB);
        ASSERT_TRUE(otherB->addItem("x", 1));
        EXPECT_FALSE(LOGOUT(0));
        EXPECT_EQ(ERRORCODE(), kFileSystemError);
        EXPECT_EQ(FILEERRORCODE(), std::to_string(SQLITE_BUSY));
        EXPECT_FALSE(FileTransaction::instance().active());
        auto otherA = item("A");
        EXPECT_TRUE(otherA->addItem("y", 1)) << "A was not kept locked";
    }
    EXPECT_TRUE(LOGOUT(0)) << ERROR();
    EXPECT_TRUE(COMMIT());

    auto closed = item("Closed", false);
    closed->setProperty(PROP_Logout, "1");
    EXPECT_FALSE(LOGOUT(1));
    EXPECT_EQ(ERRORCODE(), kFileNotOpen);
}

TEST_F(FileTransactionTest, ASavepointInsideTheTransactionTakesBackOnlyItsOwnPart) {
    auto a = item("A"), b = item("B");
    a->setProperty(PROP_Logout, "1");
    ASSERT_TRUE(LOGOUT(1));
    a->addItem("kept", 1);
    {
        FileSavepoint savepoint(*a);
        a->addItem("gone", 2);
        EXPECT_FALSE(a->addItem("kept", 3));
        savepoint.rollback();
        EXPECT_EQ(ERRORCODE(), kDuplicateKey) << "rolling back keeps the error of the failed write";
    }
    {
        FileSavepoint savepoint(*a);
        a->addItem("also", 4);
        savepoint.release();
    }
    {
        FileSavepoint outside(*b);
        b->addItem("undone", 1);
    }
    ASSERT_TRUE(COMMIT());
    auto otherA = item("A");
    EXPECT_TRUE(has(*otherA, "kept"));
    EXPECT_FALSE(has(*otherA, "gone"));
    EXPECT_TRUE(has(*otherA, "also"));
    EXPECT_EQ(b->records(), 0) << "a savepoint outside a transaction ends unreleased as nothing";
}

TEST_F(FileTransactionTest, ATransactionAfterAFileWasMadeAnewWritesTheNewFile) {
    auto a = item("A"), b = item("B");
    a->setProperty(PROP_Logout, "1");
    b->setProperty(PROP_Logout, "2");
    ASSERT_TRUE(LOGOUT(1));
    a->addItem("old", 1);
    ASSERT_TRUE(COMMIT());
    a->close();
    ASSERT_TRUE(a->create());
    ASSERT_TRUE(a->open());
    ASSERT_TRUE(LOGOUT(1)) << ERROR();
    EXPECT_EQ(a->records(), 0);
    a->addItem("new", 2);
    ASSERT_TRUE(COMMIT());
    auto otherA = item("A");
    EXPECT_TRUE(has(*otherA, "new"));
}

// Waits for the child's word that it is ready; false when it ended first.
bool ready(int pipeEnd) {
    char word = 0;
    return read(pipeEnd, &word, 1) == 1 && word == 'R';
}

TEST_F(FileTransactionTest, AProgramKilledBeforeItsCommitLeavesNoneOfItsChanges) {
    item("A", false);
    item("B", false);
    item("C", false);
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(pipeEnds[0]);
        ItemFile a(folder.file("A")), b(folder.file("B")), c(folder.file("C"));
        if (!a.open() || !b.open() || !c.open()) _exit(1);
        a.setProperty(PROP_Logout, "1");
        b.setProperty(PROP_Logout, "2");
        if (!LOGOUT(1)) _exit(1);
        // Enough rows that SQLite's cache spills some into the file itself.
        for (std::uint32_t n = 1; n <= 20000; ++n) {
            char tag[4];
            std::memcpy(tag, &n, 4);
            if (!a.addItem(std::string_view(tag, 4), static_cast<Long>(n), "a row of the child", "code")) _exit(1);
        }
        if (!b.addItem("b", 1) || !c.addItem("c", 1)) _exit(1);
        if (write(pipeEnds[1], "R", 1) != 1) _exit(1);
        for (;;) pause();
    }
    close(pipeEnds[1]);
    const bool childReady = ready(pipeEnds[0]);
    close(pipeEnds[0]);
    const bool changesOnDisk = fs::exists(folder.file("A-journal"));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(childReady);
    EXPECT_TRUE(changesOnDisk) << "the child had written into A itself, so opening A has to roll it back";

    auto a = item("A"), b = item("B"), c = item("C");
    EXPECT_EQ(a->records(), 0);
    EXPECT_EQ(b->records(), 0);
    EXPECT_EQ(c->records(), 1);
    EXPECT_TRUE(a->addItem("after", 1)) << ERROR();
}

}  // namespace
