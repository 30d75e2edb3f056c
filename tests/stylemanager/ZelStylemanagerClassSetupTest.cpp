// The style manager's set-up and settings as the running program does them,
// in the program's test folder.
#include "programsupport/ProgramFixture.h"
#include "support/TempFolder.h"
#include "support/Unprivileged.h"

#include "app/main/Globals.h"
#include "platform/files/FileKey.h"
#include "platform/system/Errors.h"
#include "platform/ui/DesktopRect.h"
#include "platform/ui/Window.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>

#include <sys/mount.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

using namespace platform;
namespace fs = std::filesystem;

namespace {

const char* const kDataFiles[] = {"ZelProperties", "ZelConditionalSet", "ZelConditional", "ZelRestyle"};

// A condition file as another version of the program declared it.
#define OLDCONDITION_FIELDS(X)          \
    X(platform::Long, CONDITIONALSETID) \
    X(platform::String<64>, CONTROL)
struct OLDCONDITIONRecord {
    TABLOOM_RECORD(OLDCONDITIONRecord, "ZELCONDITIONFILE", OLDCONDITION_FIELDS)
};
struct OldConditionFile : KeyedFile {
    OldConditionFile() : KeyedFile("ZELCONDITIONFILE", "ZelConditional", recordRef(rec)) {}
    OLDCONDITIONRecord rec;
};

// Each data file opened as its declaration, read only: true for those that
// open.
std::map<std::string, bool> openAsDeclared() {
    ZelPropertiesFile properties;
    ZelConditionSetFile sets;
    ZelConditionFile conditions;
    ZelRestyleFile values;
    std::map<std::string, bool> opened;
    for (KeyedFile* file : std::initializer_list<KeyedFile*>{&properties, &sets, &conditions, &values}) {
        opened[file->name()] = file->open(kReadOnly);
        if (opened[file->name()]) file->close();
    }
    return opened;
}

// The regular files whose name ends in ".bak", with their bytes.
std::map<std::string, std::string> backups() {
    std::map<std::string, std::string> found;
    for (const auto& entry : fs::directory_iterator(fs::current_path()))
        if (entry.is_regular_file() && entry.path().extension() == ".bak")
            found[entry.path().filename().string()] = bytesOf(entry.path());
    return found;
}

std::map<std::string, std::string> dataFileBytes() {
    std::map<std::string, std::string> bytes;
    for (const char* name : kDataFiles) bytes[name] = bytesOf(name);
    return bytes;
}

// Each data file's identity on disk: a file made anew is another file, while
// the windows' restyling writes rows into the ones kept.
std::map<std::string, ino_t> dataFileIds() {
    std::map<std::string, ino_t> ids;
    for (const char* name : kDataFiles) {
        struct stat status {};
        ids[name] = ::stat(name, &status) == 0 ? status.st_ino : 0;
    }
    return ids;
}

void makeDataFiles() {
    ZelPropertiesFile properties;
    ZelConditionSetFile sets;
    ZelConditionFile conditions;
    ZelRestyleFile values;
    for (KeyedFile* file : std::initializer_list<KeyedFile*>{&properties, &sets, &conditions, &values})
        ASSERT_TRUE(file->create()) << ERROR();
}

class ZelStylemanagerClassSetupTest : public ProgramFixture {
protected:
    // The program's three -7 rows, as "PARAMETER=VALUE".
    std::vector<std::string> fadingRows() {
        ZelRestyleFile values;
        std::vector<std::string> rows;
        if (!values.open(kReadOnly)) return rows;
        values.rec.CONDITIONALSETID = -7;
        values.set(values.P_KEY_ZELRF, values.P_KEY_ZELRF);
        while (values.next() && values.rec.CONDITIONALSETID == -7)
            rows.push_back(clip(values.rec.PROPERTY.view()) + "/" + clip(values.rec.PARAMETER.view()) + "=" +
                           clip(values.rec.VALUE.view()));
        return rows;
    }
    void runAndExit(const std::function<void()>& whileRunning = {}) {
        Window& frame = startProgram();
        if (whileRunning) whileRunning();
        drive::chooseMenu(frame, "?EXIT");
        EXPECT_EQ(waitForExit(), 0);
    }
};

TEST_F(ZelStylemanagerClassSetupTest, EachDataFileIsOpenedReCreatedOrLeftAsItsStateAllows) {
    const std::string changed =
        "The file structure of ZelConditional has changed|new file has to be created...|Continue?";
    const struct {
        const char* name;
        std::function<void()> prepare;  // in a folder of the four files as declared
        std::string asked;              // the box shown at start; "" for none
        const char* answer;
        bool runs;
        std::vector<std::string> replaced;  // each keeps its old bytes in NAME.bak
        std::vector<std::string> unusable;  // left as they were, not opened
    } cases[] = {
        {"no files", [] { for (const char* name : kDataFiles) fs::remove(name); }, "", nullptr, true, {}, {}},
        {"changed structure, Yes", [] { ASSERT_TRUE(OldConditionFile().create()); }, changed, "&Yes", true,
         {"ZelConditional"}, {}},
        {"changed structure, No", [] { ASSERT_TRUE(OldConditionFile().create()); }, changed, "&No", false, {}, {}},
        {"no keyed file", [] { writeBytes("ZelRestyle", "some text\r\n"); }, "", nullptr, true, {"ZelRestyle"}, {}},
        {"no keyed file and its copy fails",
         [] {
             writeBytes("ZelProperties", "some text\r\n");
             fs::create_directory("ZelProperties.bak");  // even root cannot copy over a folder
         },
         "ZelStylemanagerClass: The file ZelProperties can not be opend! ", "&Go on", true, {}, {"ZelProperties"}},
    };
    const fs::path top = fs::current_path();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::create_directory(top / c.name);
        fs::current_path(top / c.name);
        makeDataFiles();
        c.prepare();
        const auto before = dataFileBytes();
        const auto ids = dataFileIds();

        launchProgram();
        closeSplash();
        const std::string asked = drive::messageText();
        EXPECT_EQ(asked.substr(0, c.asked.size()), c.asked);
        EXPECT_EQ(asked.empty(), c.asked.empty()) << asked;
        if (c.answer) {
            EXPECT_TRUE(drive::answerMessage(c.answer));
        }
        EXPECT_EQ(drive::waitForWindow(kFrameTitle, std::chrono::milliseconds(c.runs ? 5000 : 100)) != nullptr,
                  c.runs);

        // Files are compared as booleans: their bytes say nothing to a reader.
        const auto copies = backups();
        EXPECT_EQ(copies.size(), c.replaced.size());
        for (const std::string& name : c.replaced)
            EXPECT_TRUE(copies.count(name + ".bak") && copies.at(name + ".bak") == before.at(name)) << name;
        const auto opened = openAsDeclared();
        for (const char* name : kDataFiles) {
            const bool replaced = std::count(c.replaced.begin(), c.replaced.end(), name) != 0;
            const bool unusable = std::count(c.unusable.begin(), c.unusable.end(), name) != 0;
            if (!c.runs) continue;
            EXPECT_EQ(opened.at(name), !unusable) << name;
            if (!replaced && !before.at(name).empty()) {
                EXPECT_EQ(dataFileIds().at(name), ids.at(name)) << name << " was made anew";
            }
        }
        if (c.runs) {
            EXPECT_EQ(clip(StyleManager.CURRENTPROFILE.view()), "DEFAULT");
            EXPECT_EQ(StyleManager.USEFADING, 1);
            drive::chooseMenu(frame(), "?EXIT");
        } else {
            EXPECT_TRUE(dataFileBytes() == before) << "nothing was re-created";
        }
        EXPECT_EQ(waitForExit(), 0);
        fs::current_path(top);
    }
}

// Escape on the question would end the program if it answered No.
TEST_F(ZelStylemanagerClassSetupTest, AStrayEscapeLeavesTheChangedStructureQuestionUp) {
    makeDataFiles();
    ASSERT_TRUE(OldConditionFile().create());
    launchProgram();
    closeSplash();
    Window* box = drive::window("ZelRestyle");
    ASSERT_NE(box, nullptr);
    drive::pressKey(*box, KEY::Esc);
    EXPECT_EQ(drive::messageText().substr(0, 22), "The file structure of ") << "still asking";
    EXPECT_TRUE(drive::answerMessage("&Yes"));
    ASSERT_NE(drive::waitForWindow(kFrameTitle), nullptr);
    drive::chooseMenu(frame(), "?EXIT");
    EXPECT_EQ(waitForExit(), 0);
}

TEST_F(ZelStylemanagerClassSetupTest, TheSetUpFillsTheCatalogueKeepsTheHotKeyAndReadsTheDesktop) {
    runAndExit([] {
        EXPECT_EQ(StyleManager.CLARIONCONTROLPROPERTIESQUEUE.records(), 120u);
        EXPECT_EQ(StyleManager.CONTROLTYPESQUEUE.records(), 40u);
        EXPECT_EQ(StyleManager.CONFIGUREHOTKEY, 0x653);
        EXPECT_EQ(StyleManager.CHANGEGLOBALPROPERTIES, 1);
        EXPECT_EQ(StyleManager.USECLARIONMESSAGEBOX, 0);
        EXPECT_EQ(SYSTEM(PROP::Buffer), "1");
        const ScreenRect desktop = desktopRect();
        const RECTRecord& read = StyleManager.DESKTOPRECT;
        EXPECT_EQ((std::vector<Long>{read.LEFT, read.TOP, read.RIGHT, read.BOTTOM}),
                  (std::vector<Long>{desktop.left, desktop.top, desktop.right, desktop.bottom}));
        EXPECT_GT(read.RIGHT, read.LEFT);
        EXPECT_EQ(StyleManager.PROCEDURENAME, "<Unknown>");
    });
}

TEST_F(ZelStylemanagerClassSetupTest, FadingAndTheCurrentProfileAreKeptOverRuns) {
    runAndExit();
    EXPECT_EQ(fadingRows(), (std::vector<std::string>{"~Use Fading/CLARIONVALUE=0", "~Use Fading/ENABLED=1",
                                                      "~Use Fading/VALUE=1"}));

    runAndExit([] { StyleManager.USEFADING = 0; });
    runAndExit([] { EXPECT_EQ(StyleManager.USEFADING, 0); });

    {  // fading switched off by its switch, and a profile chosen
        ZelRestyleFile values;
        ASSERT_TRUE(values.open());
        values.rec.CONDITIONALSETID = -7;
        values.rec.PROPERTY = "~Use Fading";
        values.rec.PARAMETER = "ENABLED";
        ASSERT_TRUE(values.get(values.P_KEY_ZELRF));
        values.rec.VALUE = "0";
        ASSERT_TRUE(values.put());
        ZelConditionSetFile sets;
        ASSERT_TRUE(sets.open());
        sets.rec.USERNAME = sets.rec.PROFILE = sets.rec.PROCEDURENAME = "~Global settings";
        sets.rec.GROUPNAME = "~Current selected profile";
        sets.rec.CONDITIONALSET = "Blue";
        sets.rec.CONDITIONALSETID = 12;
        ASSERT_TRUE(sets.add());
    }
    runAndExit([] {
        EXPECT_EQ(StyleManager.USEFADING, 1) << "a fading row that is not in force";
        EXPECT_EQ(clip(StyleManager.CURRENTPROFILE.view()), "Blue");
    });
}


// The answers a user gives to every box that comes, going on after a STOP;
// the boxes' texts. Fifty are more than any run asks.
std::vector<std::string> answerEveryBox() {
    std::vector<std::string> texts;
    while (texts.size() < 50) {
        drive::settle();
        const std::string text = drive::messageText();
        if (text.empty()) break;
        texts.push_back(text);
        if (!drive::answerMessage("&Go on") && !drive::answerMessage("OK")) break;
    }
    return texts;
}

// Every file of the current folder, with its bytes.
std::map<std::string, std::string> folderFiles() {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(fs::current_path()))
        if (entry.is_regular_file()) files[entry.path().filename().string()] = bytesOf(entry.path());
    return files;
}

std::string unopenedStop(const std::string& file, const std::string& reason) {
    return "ZelStylemanagerClass: The file " + file + " can not be opend! " + reason +
           "|The settings of this run are not stored.";
}

// A run over files it cannot use: the boxes until the frame is up, then a
// key the frame answers, and an exit that asks nothing.
class DataFilesRun : public ZelStylemanagerClassSetupTest {
protected:
    std::vector<std::string> boxesUntilTheFrame() {
        launchProgram();
        std::vector<std::string> boxes = answerEveryBox();
        closeSplash();
        for (const std::string& box : answerEveryBox()) boxes.push_back(box);
        EXPECT_NE(drive::waitForWindow(kFrameTitle), nullptr) << "the frame opens";
        return boxes;
    }
    void workAndExit() {
        ASSERT_NE(drive::window(kFrameTitle), nullptr);
        drive::pressKey(frame(), KEY::F3);
        EXPECT_EQ(answerEveryBox(), std::vector<std::string>{"Please select a ODBC connection first!"});
        drive::chooseMenu(frame(), "?EXIT");
        EXPECT_EQ(answerEveryBox(), std::vector<std::string>{}) << "the exit asks nothing";
        EXPECT_EQ(waitForExit(), 0);
    }
};

class DataFilesRunUnprivilegedTest : public Unprivileged<DataFilesRun> {};

TEST_F(DataFilesRunUnprivilegedTest, AFileTheUserMayNotWriteIsToldOnceAtOpeningAndLeftAsItWas) {
    const std::vector<std::string> styleManagers = {
        unopenedStop("ZelProperties", "Access Denied"), unopenedStop("ZelConditionalSet", "Access Denied"),
        unopenedStop("ZelConditional", "Access Denied"), unopenedStop("ZelRestyle", "Access Denied")};
    const auto withAssistants = [&](const std::string& said) {
        std::vector<std::string> boxes = {said, said};  // AGNTFILE, AGNTSET
        boxes.insert(boxes.end(), styleManagers.begin(), styleManagers.end());
        return boxes;
    };
    const struct {
        const char* name;
        bool earlierRun;
        const char* readOnly;  // a file made read-only; nullptr: the folder is
        std::vector<std::string> boxes;
    } cases[] = {
        {"an empty folder the user may not write", false, nullptr, withAssistants("Create:Access Denied|")},
        {"a folder the user may not write, with an earlier run's files", true, nullptr,
         withAssistants("Open:Access Denied|")},
        {"a read-only ZelRestyle", true, "ZelRestyle", {unopenedStop("ZelRestyle", "Access Denied")}},
    };
    const fs::path top = fs::current_path();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::create_directory(top / c.name);
        fs::current_path(top / c.name);
        if (c.earlierRun) runAndExit();
        const fs::path locked = c.readOnly ? fs::path(c.readOnly) : fs::current_path();
        fs::permissions(locked, fs::perms::owner_read | (c.readOnly ? fs::perms::none : fs::perms::owner_exec));
        const auto before = folderFiles();

        EXPECT_EQ(boxesUntilTheFrame(), c.boxes);
        workAndExit();
        const auto after = folderFiles();
        if (c.readOnly)
            EXPECT_EQ(after.at(c.readOnly), before.at(c.readOnly));
        else
            EXPECT_TRUE(after == before) << "the folder is as it was";
        fs::permissions(locked, fs::perms::owner_all);
        fs::current_path(top);
    }
}

// A folder on a file system of its own, mounted while it lives.
class SmallDisk {
public:
    SmallDisk(const fs::path& at, const std::string& size) : at_(at) {
        fs::create_directory(at_);
        mounted_ = ::mount("tmpfs", at_.c_str(), "tmpfs", 0, ("size=" + size + ",mode=0777").c_str()) == 0;
        if (!mounted_) why_ = std::strerror(errno);
    }
    ~SmallDisk() {
        if (mounted_) ::umount2(at_.c_str(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return mounted_; }
    const std::string& why() const { return why_; }
    // Takes what room is left.
    void fill() const {
        std::ofstream filler(at_ / "filler", std::ios::binary);
        const std::string block(4096, 'x');
        while (filler.write(block.data(), block.size())) filler.flush();
    }

private:
    fs::path at_;
    bool mounted_ = false;
    std::string why_;
};

// Each data file that fails is told once, whenever it fails: the boxes that
// tell it, styled from those files in their turn, raise no more.
TEST_F(DataFilesRun, ADiskThatFillsTellsEachFileOnceAndTheProgramGoesOn) {
    const std::string setFailed = "Het toevoegen van de standaard \"Unconditional\" Conditie Set is mislukt!|Fout:";
    const std::string saveFailed =
        "ZelRestyleBaseClass(SaveGroup): Restyle gegevens kunnen niet in file ZelRestyle opgeslagen worden! ";
    const struct {
        const char* name;
        const char* size;
        bool earlierRun;  // on a larger disk, which is then filled up
        std::vector<std::string> untilTheFrame, onF3, onExit;  // the boxes' beginnings
    } cases[] = {
        {"64 KiB, the files made as the program starts", "64k", false,
         {"ZelStylemanagerClass: The file ZelConditionalSet can not be opend! File System Error",
          "ZelStylemanagerClass: The file ZelConditional can not be opend! File System Error",
          "ZelStylemanagerClass: The file ZelRestyle can not be opend! File System Error"},
         {"Please select a ODBC connection first!"},
         {}},
        {"full, under an earlier run's files", "1m", true, {}, {setFailed, "Please select a ODBC connection first!"},
         {saveFailed}},
    };
    const fs::path top = fs::current_path();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SmallDisk disk(top / c.name, c.size);
        if (!disk.mounted()) GTEST_SKIP() << "no file system of its own could be mounted (" << disk.why()
                                          << "): that needs root";
        fs::current_path(top / c.name);
        if (c.earlierRun) {
            runAndExit();
            disk.fill();
        }
        const auto expectBoxes = [&](const std::vector<std::string>& boxes, const std::vector<std::string>& expected) {
            ASSERT_EQ(boxes.size(), expected.size()) << (boxes.empty() ? "" : boxes.back());
            for (std::size_t i = 0; i < boxes.size(); ++i) EXPECT_EQ(boxes[i].substr(0, expected[i].size()), expected[i]);
        };
        expectBoxes(boxesUntilTheFrame(), c.untilTheFrame);
        drive::pressKey(frame(), KEY::F3);
        expectBoxes(answerEveryBox(), c.onF3);
        drive::chooseMenu(frame(), "?EXIT");
        expectBoxes(answerEveryBox(), c.onExit);
        EXPECT_EQ(waitForExit(), 0);
        fs::current_path(top);
    }
}

}  // namespace

