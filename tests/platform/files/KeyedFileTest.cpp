#include "ItemFile.h"
#include "platform/system/Errors.h"

#include "support/TempFolder.h"
#include "support/Unprivileged.h"

#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstring>
#include <functional>

using namespace platform;
namespace fs = std::filesystem;

namespace {

// The same file as another program version declares it: one field more.
#define WIDER_FIELDS(X) ITEM_FIELDS(X) X(platform::Byte, EXTRA)
struct WIDERRecord {
    TABLOOM_RECORD(WIDERRecord, "ITM", WIDER_FIELDS)
};
struct WiderFile : KeyedFile {
    explicit WiderFile(const std::string& name) : KeyedFile("ITEMS", name, recordRef(rec)) {}
    WIDERRecord rec;
};

class KeyedFileTest : public ::testing::Test {
protected:
    // A created and opened item file in the test's folder.
    std::unique_ptr<ItemFile> made(const std::string& name = "Items") {
        auto file = std::make_unique<ItemFile>(folder.file(name));
        EXPECT_TRUE(file->create()) << ERROR();
        EXPECT_TRUE(file->open()) << ERROR();
        return file;
    }
    // The tags of the rows a walk meets, doing `visit` at each.
    std::vector<std::string> walk(ItemFile& file, const FileKey& key, bool forward = true,
                                  const std::function<void()>& visit = {}) {
        std::vector<std::string> met;
        file.set(key);
        while (forward ? file.next() : file.previous()) {
            met.push_back(file.tag());
            if (visit) visit();
        }
        EXPECT_EQ(ERRORCODE(), kRecordNotAvailable);
        return met;
    }

    TempFolder folder;
};

using Tags = std::vector<std::string>;

void sqliteExecute(const std::string& path, const char* sql) {
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

TEST_F(KeyedFileTest, KeysOrderByBytesWithoutTrailingBlanksHonouringCaseDirectionAndAddingOrder) {
    const struct {
        const char* what;
        const FileKey ItemFile::*key;
        std::vector<std::pair<std::string, std::string>> rows;  // tag, text of the key field
        Tags order;
    } cases[] = {
        {"NOCASE: upper-cased Windows-1252, equal texts as added", &ItemFile::BYNAME,
         {{"1", "b"}, {"2", "\xC9lan"}, {"3", "A"}, {"4", "\xE9LAN"}, {"5", "a"}, {"6", "z"}},
         {"3", "5", "1", "6", "2", "4"}},
        {"case kept: bytes, capitals first, 80h-FFh after ASCII", &ItemFile::BYCODE,
         {{"1", "b"}, {"2", "B"}, {"3", "\x80"}, {"4", "a"}, {"5", "A"}, {"6", "ab"}},
         {"5", "2", "4", "6", "1", "3"}},
        {"trailing blanks ignored: a CSTRING with them ties, in adding order", &ItemFile::BYCODE,
         {{"1", "abc  "}, {"2", "ab"}, {"3", "abc"}, {"4", " abc"}},
         {"4", "2", "1", "3"}},
        {"descending number, equal numbers as added", &ItemFile::BYNUMBER,
         {{"1", "-5"}, {"2", "7"}, {"3", "0"}, {"4", "7"}, {"5", "2147483647"}, {"6", "-2147483648"}},
         {"5", "2", "4", "3", "1", "6"}},
    };
    for (const auto& c : cases) {
        auto file = made();
        for (const auto& [tag, text] : c.rows) {
            const bool number = c.key == &ItemFile::BYNUMBER;
            ASSERT_TRUE(file->addItem(tag, number ? std::stol(text) : 0, c.key == &ItemFile::BYNAME ? text : "",
                                      c.key == &ItemFile::BYCODE ? text : ""))
                << c.what << ERROR();
        }
        EXPECT_EQ(walk(*file, (*file).*c.key), c.order) << c.what;
        Tags backwards(c.order.rbegin(), c.order.rend());
        // Backwards equal keys come last-added first: the walk is the exact reverse.
        EXPECT_EQ(walk(*file, (*file).*c.key, false), backwards) << c.what;
        file->close();
    }
}

TEST_F(KeyedFileTest, GetMatchesAsTheKeyCompares) {
    auto file = made();
    file->addItem("1", 1, "\xE9lan", "abc");
    file->addItem("2", 2, "Abc", "x");
    const struct {
        const FileKey ItemFile::*key;
        const char* name;
        const char* code;
        const char* found;  // tag, or nullptr for not found
    } cases[] = {
        {&ItemFile::BYNAME, "\xC9LAN", "", "1"},  {&ItemFile::BYNAME, "abc ", "", "2"},
        {&ItemFile::BYNAME, "abc", "", "2"},      {&ItemFile::BYNAME, " abc", "", nullptr},
        {&ItemFile::BYCODE, "", "abc", "1"},      {&ItemFile::BYCODE, "", "abc   ", "1"},
        {&ItemFile::BYCODE, "", "ABC", nullptr},
    };
    for (const auto& c : cases) {
        file->clearRecord();
        file->rec.TAG = "none";
        file->rec.NAME = c.name;
        file->rec.CODE = c.code;
        EXPECT_EQ(file->get((*file).*c.key), c.found != nullptr) << c.name << c.code;
        if (c.found) {
            EXPECT_EQ(file->tag(), c.found) << c.name << c.code;
        } else {
            EXPECT_EQ(ERRORCODE(), kRecordNotFound);
            EXPECT_EQ(file->tag(), "none") << "a read that finds nothing leaves the buffer alone";
            EXPECT_FALSE(file->put());
            EXPECT_EQ(ERRORCODE(), kRecordNotAvailable) << "a failed read leaves no row to write";
        }
    }
}

TEST_F(KeyedFileTest, UniqueKeysRefuseDuplicatesAndWritesNeedARow) {
    auto file = made();
    ASSERT_TRUE(file->addItem("1", 1));
    EXPECT_FALSE(file->addItem("1", 2));
    EXPECT_EQ(ERRORCODE(), kDuplicateKey);
    EXPECT_EQ(ERROR(), "Creates Duplicate Key");
    ASSERT_TRUE(file->addItem("2", 2));
    file->rec.TAG = "1";
    EXPECT_FALSE(file->put()) << "the added row may not take another's key";
    EXPECT_EQ(ERRORCODE(), kDuplicateKey);
    EXPECT_EQ(file->records(), 2);

    file->rec.TAG = "2";
    ASSERT_TRUE(file->get(file->BYTAG));
    ASSERT_TRUE(file->remove());
    EXPECT_FALSE(file->remove());
    EXPECT_EQ(ERRORCODE(), kRecordNotAvailable);
    EXPECT_FALSE(file->put());
    EXPECT_EQ(ERRORCODE(), kRecordNotAvailable);
    EXPECT_EQ(file->records(), 1);

    file->close();
    EXPECT_FALSE(file->get(file->BYTAG));
    EXPECT_EQ(ERRORCODE(), kFileNotOpen);
}

TEST_F(KeyedFileTest, FieldsRoundTripTheirBytesAndNumbers) {
    auto file = made();
    const std::string packed("\x00\x0D\x80\xFF\x20\x01\x7F\x9F\xA0\x0A\x00\xFE\x81\x20\x20\x20", 16);
    file->clearRecord();
    file->rec.TAG = "1";
    file->rec.NUMBER = -2147483647 - 1;
    file->rec.NAME = std::string("a\x00\x0D\x80\xFF", 5);
    file->rec.CODE = "\x80\xFF \x0D  ";
    std::memcpy(file->rec.PACKED.data, packed.data(), 16);
    file->rec.AMOUNT = 0.1;
    ASSERT_TRUE(file->add()) << ERROR();
    const ITEMRecord written = file->rec;

    file->clearRecord();
    file->rec.TAG = "1";
    ASSERT_TRUE(file->get(file->BYTAG));
    EXPECT_EQ(file->rec.NUMBER, written.NUMBER);
    EXPECT_EQ(file->rec.NAME.view(), written.NAME.view());
    EXPECT_EQ(file->rec.CODE.view(), "\x80\xFF \x0D  ");
    EXPECT_EQ(file->rec.PACKED.view(), packed);
    EXPECT_EQ(file->rec.AMOUNT, 0.1);
}

TEST_F(KeyedFileTest, TheSqliteShellShowsTheLabelFieldsAndKeys) {
    if (QStandardPaths::findExecutable("sqlite3").isEmpty()) GTEST_SKIP() << "the sqlite3 shell is not installed";
    auto file = made("Shown");
    file->addItem("1", 5, "Name", "code");
    file->close();
    QProcess shell;
    shell.start("sqlite3", {QString::fromStdString(folder.file("Shown")), ".schema",
                            "SELECT TAG, NUMBER, hex(NAME) FROM ITEMS"});
    ASSERT_TRUE(shell.waitForFinished());
    const std::string out = shell.readAllStandardOutput().toStdString();
    for (const char* expected :
         {"TABLE IF NOT EXISTS \"ITEMS\" (\"TAG\" BLOB, \"NUMBER\" INTEGER, \"NAME\" BLOB, \"CODE\" BLOB, \"PACKED\" BLOB, "
          "\"AMOUNT\" REAL",
          "CREATE UNIQUE INDEX \"BYTAG\" ON \"ITEMS\" (\"TAG\")", "CREATE INDEX \"BYNAME\" ON \"ITEMS\" (\"NAME:NOCASE\")",
          "CREATE INDEX \"BYNUMBER\" ON \"ITEMS\" (\"NUMBER:DESC\")", "1|5|4E616D65"})
        EXPECT_NE(out.find(expected), std::string::npos) << expected << "\n" << out;
    EXPECT_FALSE(fs::exists(folder.file("Shown-journal")));
}

TEST_F(KeyedFileTest, WalksMeetEveryRowOnceWhatever) {
    const struct {
        const char* what;
        bool forward;
        std::function<void(ItemFile&)> atEachRow;
        Tags met;
        Long remaining;
    } cases[] = {
        {"deleting every other row", true,
         [](ItemFile& f) {
             if (f.rec.NUMBER % 2 == 0) f.remove();
         },
         {"1", "2", "3", "4", "5", "6"}, 3},
        {"changing each row", true,
         [](ItemFile& f) {
             f.rec.CODE = "seen";
             f.put();
         },
         {"1", "2", "3", "4", "5", "6"}, 6},
        {"adding a row ahead, and one behind", true,
         [](ItemFile& f) {
             if (f.rec.NUMBER != 3) return;
             f.addItem("7", 9);
             f.addItem("0", 0);
         },
         {"1", "2", "3", "4", "5", "6", "7"}, 8},
        {"renumbering backwards", false,
         [](ItemFile& f) {
             f.rec.NUMBER += 1;
             f.put();
         },
         {"6", "5", "4", "3", "2", "1"}, 6},
        {"reading other rows meanwhile", true,
         [](ItemFile& f) {
             f.rec.TAG = "6";
             f.get(f.BYTAG);
         },
         {"1", "2", "3", "4", "5", "6"}, 6},
    };
    for (const auto& c : cases) {
        auto file = made();
        for (Long n = 1; n <= 6; ++n) file->addItem(std::to_string(n), n);
        Tags met;
        file->set(file->ORDER);
        while (c.forward ? file->next() : file->previous()) {
            met.push_back(file->tag());
            c.atEachRow(*file);
        }
        EXPECT_EQ(met, c.met) << c.what;
        EXPECT_EQ(file->records(), c.remaining) << c.what;
        file->close();
    }
}

// Another program may store a longer text than the field holds; the buffer
// gets it cut, which sorts before the stored one.
TEST_F(KeyedFileTest, AWalkMeetsOnceARowWhoseKeyTextWasCutToItsField) {
    auto file = made();
    for (const char* tag : {"1", "2", "3"}) file->addItem(tag, 0, "", tag);
    file->close();
    const std::string longCode(30, '2');
    const std::string sql = "UPDATE ITEMS SET CODE = CAST('" + longCode + "' AS BLOB), \"CODE:CLIP\" = CAST('" +
                            longCode + "' AS BLOB) WHERE TAG = CAST('2' AS BLOB)";
    sqliteExecute(folder.file("Items"), sql.c_str());
    ASSERT_TRUE(file->open()) << ERROR();

    EXPECT_EQ(walk(*file, file->BYCODE), (Tags{"1", "2", "3"}));
    EXPECT_EQ(walk(*file, file->BYCODE, false), (Tags{"3", "2", "1"}));
    std::vector<bool> cut;
    walk(*file, file->BYCODE, true, [&] { cut.push_back(file->textCut("ITM:CODE")); });
    EXPECT_EQ(cut, (std::vector<bool>{false, true, false}));
    EXPECT_EQ(file->rec.CODE.str(), "3");
    file->rec.TAG = "2";
    ASSERT_TRUE(file->get(file->BYTAG));
    EXPECT_EQ(file->rec.CODE.str(), std::string(20, '2'));
    EXPECT_TRUE(file->textCut("CODE"));
    EXPECT_FALSE(file->textCut("TAG"));
}

TEST_F(KeyedFileTest, SetAtTheBufferStartsAtThatKeyEitherWay) {
    auto file = made();
    for (Long n : {10, 20, 20, 30}) file->addItem(std::to_string(file->records() + 1), n, "n");
    const struct {
        Long from;
        bool forward;
        const char* first;  // tag, or nullptr when none
    } cases[] = {{20, true, "2"}, {20, false, "3"}, {15, true, "2"}, {15, false, "1"}, {31, true, nullptr}, {5, false, nullptr}};
    for (const auto& c : cases) {
        file->clearRecord();
        file->rec.NUMBER = c.from;
        file->rec.NAME = "n";
        file->set(file->ORDER, file->ORDER);
        const bool found = c.forward ? file->next() : file->previous();
        EXPECT_EQ(found, c.first != nullptr) << c.from;
        if (c.first) {
            EXPECT_EQ(file->tag(), c.first) << c.from << c.forward;
        }
    }
}

TEST_F(KeyedFileTest, ALookUpBesideAWalkPutsBackTheBufferTheRowAndTheWalk) {
    auto file = made();
    for (Long n = 1; n <= 4; ++n) file->addItem(std::to_string(n), n);
    file->set(file->ORDER);
    file->next();
    file->next();
    file->rec.CODE = "being edited";
    const KeyedFile::ReadPlace place = file->readPlace();
    file->clearRecord();
    file->rec.TAG = "4";
    file->set(file->BYTAG, file->BYTAG);
    file->next();
    file->restore(place);
    EXPECT_EQ(file->tag(), "2");
    EXPECT_EQ(file->rec.CODE.view(), "being edited");
    EXPECT_TRUE(file->put()) << ERROR();  // the row read last is row 2 again
    EXPECT_TRUE(file->next());
    EXPECT_EQ(file->tag(), "3");
    file->rec.TAG = "2";
    file->get(file->BYTAG);
    EXPECT_EQ(file->rec.CODE.view(), "being edited");

    // Before any read there is no row to write, after the look-up neither.
    file->close();
    file->open();
    const KeyedFile::ReadPlace fresh = file->readPlace();
    file->rec.TAG = "1";
    file->get(file->BYTAG);
    file->restore(fresh);
    EXPECT_FALSE(file->put());
    EXPECT_EQ(ERRORCODE(), kRecordNotAvailable);
    EXPECT_FALSE(file->next());
}

TEST_F(KeyedFileTest, PositionsReadTheirRowAgainUntilItIsDeleted) {
    auto file = made();
    std::vector<std::string> positions;
    for (Long n = 1; n <= 4; ++n) {
        file->addItem(std::to_string(n), n);
        positions.push_back(file->position());
    }
    file->rec.TAG = "2";
    file->get(file->BYTAG);
    file->remove();
    EXPECT_EQ(file->position(), "");
    file->rec.TAG = "3";
    file->get(file->BYTAG);
    file->remove();
    const Tags expected = {"1", "", "", "4"};
    for (std::size_t i = 0; i < positions.size(); ++i) {
        file->rec.TAG = "none";
        EXPECT_EQ(file->reget(positions[i]), !expected[i].empty()) << i;
        EXPECT_EQ(file->tag(), expected[i].empty() ? "none" : expected[i]);
        if (expected[i].empty()) {
            EXPECT_EQ(ERRORCODE(), kRecordNotFound);
        }
    }
    EXPECT_FALSE(file->reget("not a position"));
    EXPECT_EQ(ERRORCODE(), kRecordNotFound);
}

TEST_F(KeyedFileTest, OpenRefusesWhatIsNotThisFileAndCreateReplacesIt) {
    const std::string name = folder.file("Items");
    const struct {
        const char* what;
        std::function<void()> prepare;
        int error;
    } cases[] = {
        {"missing", [] {}, kFileNotFound},
        {"declared with a field more", [&] { WiderFile(name).create(); }, kInvalidRecordDeclaration},
        {"a text file", [&] { writeBytes(name, "Dit is geen database\r\n"); }, kInvalidDataFile},
        {"an empty file", [&] { writeBytes(name, ""); }, kInvalidDataFile},
        {"another SQLite database", [&] { sqliteExecute(name, "CREATE TABLE ITEMS (TAG BLOB)"); }, kInvalidDataFile},
    };
    for (const auto& c : cases) {
        fs::remove(name);
        c.prepare();
        const bool existed = fs::exists(name);
        const std::string before = bytesOf(name);
        ItemFile file(name);
        EXPECT_FALSE(file.open()) << c.what;
        EXPECT_EQ(ERRORCODE(), c.error) << c.what;
        EXPECT_FALSE(file.opened());
        EXPECT_EQ(fs::exists(name), existed) << c.what << ": nothing is made";
        EXPECT_EQ(bytesOf(name), before) << c.what;

        writeBytes(name + "-journal", "left over");
        ASSERT_TRUE(file.create()) << c.what << ERROR();
        EXPECT_FALSE(file.opened()) << "create leaves the file closed";
        EXPECT_FALSE(fs::exists(name + "-journal")) << c.what;
        ASSERT_TRUE(file.open()) << c.what << ERROR();
        EXPECT_EQ(file.records(), 0);
        file.close();
    }
}

class KeyedFileUnprivilegedTest : public Unprivileged<KeyedFileTest> {};

TEST_F(KeyedFileUnprivilegedTest, OpenModesAndCreateOverAFileTheUserMayNotWrite) {
    auto file = made();
    file->addItem("1", 1);
    file->close();
    ASSERT_TRUE(file->open(kReadOnly));
    EXPECT_FALSE(file->addItem("2", 2));
    EXPECT_EQ(ERRORCODE(), kAccessDenied);
    file->rec.TAG = "1";
    ASSERT_TRUE(file->get(file->BYTAG));
    EXPECT_FALSE(file->put());
    EXPECT_EQ(ERRORCODE(), kAccessDenied);
    EXPECT_FALSE(file->open()) << "already open";
    EXPECT_EQ(ERRORCODE(), kFileAlreadyOpen);
    file->close();

    ItemFile second(folder.file("Items"));
    ASSERT_TRUE(file->open(kReadWriteDenyWrite));
    ASSERT_TRUE(second.open(kReadWriteDenyWrite)) << "22h shares the file as 42h does";
    EXPECT_TRUE(second.addItem("2", 2));
    EXPECT_EQ(file->records(), 2);
    second.close();
    file->close();

    const std::string before = bytesOf(folder.file("Items"));
    fs::permissions(folder.file("Items"), fs::perms::owner_read);
    EXPECT_FALSE(file->create());
    EXPECT_EQ(ERRORCODE(), kAccessDenied);
    EXPECT_EQ(bytesOf(folder.file("Items")), before);
}

// SQLite would open a file it may not write for reading alone, and retry a
// refused creation as a read, which finds no file: the refusal is told as one.
TEST_F(KeyedFileUnprivilegedTest, WritingRefusedIsAccessDeniedAtOpeningAndCreation) {
    auto file = made();
    file->addItem("1", 1);
    file->close();
    fs::permissions(folder.file("Items"), fs::perms::owner_read);
    EXPECT_FALSE(file->open());
    EXPECT_EQ(ERROR(), "Access Denied");
    ASSERT_TRUE(file->open(kReadOnly)) << ERROR();
    EXPECT_EQ(file->records(), 1);
    file->close();

    fs::permissions(folder.file("Items"), fs::perms::owner_read | fs::perms::owner_write);
    fs::permissions(folder.path(), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(file->open()) << "no journal could be made beside it";
    EXPECT_EQ(ERROR(), "Access Denied");
    ItemFile other(folder.file("Other"));
    EXPECT_FALSE(other.create());
    EXPECT_EQ(ERROR(), "Access Denied");
    EXPECT_FALSE(fs::exists(folder.file("Other")));
    fs::permissions(folder.path(), fs::perms::owner_all);
}

TEST_F(KeyedFileTest, CopyTakesTheClosedFilesBytesAndJournal) {
    auto file = made();
    file->addItem("1", 1);
    file->close();
    writeBytes(folder.file("Items-journal"), "journal bytes");
    writeBytes(folder.file("Items.bak-journal"), "stale");
    ASSERT_TRUE(file->copy(folder.file("Items.bak"))) << ERROR();
    EXPECT_EQ(bytesOf(folder.file("Items.bak")), bytesOf(folder.file("Items")));
    EXPECT_EQ(bytesOf(folder.file("Items.bak-journal")), "journal bytes");

    fs::remove(folder.file("Items-journal"));
    ASSERT_TRUE(file->copy(folder.file("Items.bak")));
    EXPECT_FALSE(fs::exists(folder.file("Items.bak-journal"))) << "no stale journal beside the copy";

    ItemFile missing(folder.file("Missing"));
    EXPECT_FALSE(missing.copy(folder.file("Missing.bak")));
    EXPECT_EQ(ERRORCODE(), kFileNotFound);
    ASSERT_TRUE(file->open());
    EXPECT_FALSE(file->copy(folder.file("Open.bak")));
    EXPECT_EQ(ERRORCODE(), kFileAlreadyOpen);
}

}  // namespace
