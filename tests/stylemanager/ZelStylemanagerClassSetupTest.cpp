// The style manager's set-up and settings as the running program does them,
// in the program's test folder.
#include "programsupport/ProgramFixture.h"
#include "support/TempFolder.h"

#include "app/main/Globals.h"
#include "platform/files/FileKey.h"
#include "platform/system/Errors.h"
#include "platform/ui/DesktopRect.h"
#include "platform/ui/Window.h"

#include <filesystem>
#include <functional>
#include <map>

#include <sys/stat.h>

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

}  // namespace
