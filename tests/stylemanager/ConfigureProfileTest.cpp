// The profiles window, opened from the configuration as a user opens it:
// profiles named, chosen for the next run and deleted with all they hold.
#include "programsupport/ProgramFixture.h"
#include "programsupport/StoredSettings.h"

#include "app/frame/ProcedureServices.h"
#include "platform/fiber/Scheduler.h"
#include "platform/files/KeyedFile.h"
#include "platform/odbc/FileProperties.h"
#include "platform/ui/WindowView.h"
#include "restyle/ZelConditionFile.h"
#include "restyle/ZelConditionSetFile.h"
#include "restyle/ZelRestyleClass.h"
#include "restyle/ZelRestyleFile.h"
#include "stylemanager/ZelStylemanagerClass.h"

#include <QAbstractItemView>
#include <set>

using namespace platform;

namespace {

constexpr const char* kConfigurationTitle = "Zelora maatwerk";
constexpr const char* kProfilesTitle = "ZelRestyle";
constexpr const char* kConnectionTitle = "Choose an ODB Cconnection";
constexpr Long kRed = 255, kBlue = 16711680;

struct SetRow {
    std::string user, profile, procedure, group, set;
    Long id = 0;
};

// The condition-set file's rows as a reader of its own finds them: what is committed.
std::vector<SetRow> committedSets() {
    ZelConditionSetFile file;
    if (!file.open(kReadOnly)) throw std::runtime_error("the condition-set file cannot be read");
    std::vector<SetRow> rows;
    file.set(file.P_KEY_ZELCS);
    while (file.next())
        rows.push_back({clip(file.rec.USERNAME.view()), clip(file.rec.PROFILE.view()),
                        clip(file.rec.PROCEDURENAME.view()), clip(file.rec.GROUPNAME.view()),
                        clip(file.rec.CONDITIONALSET.view()), file.rec.CONDITIONALSETID});
    file.close();
    return rows;
}

Long highestSetId() {
    Long highest = 0;
    for (const SetRow& row : committedSets()) highest = std::max(highest, row.id);
    return highest;
}

// The numbers of the sets in the condition and restyle files' rows.
std::set<Long> setsWithRows() {
    std::set<Long> sets;
    ZelConditionFile conditions;
    ZelRestyleFile values;
    if (!conditions.open(kReadOnly) || !values.open(kReadOnly)) throw std::runtime_error("files cannot be read");
    conditions.set(conditions.P_KEY_ZELCD);
    while (conditions.next()) sets.insert(conditions.rec.CONDITIONALSETID);
    values.set(values.P_KEY_ZELRF);
    while (values.next()) sets.insert(values.rec.CONDITIONALSETID);
    conditions.close();
    values.close();
    return sets;
}

class ConfigureProfileTest : public ProgramFixture {
protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        procedureServices().styleManager = &manager;
    }

    Window& configuration() {
        if (Window* w = drive::window(kConfigurationTitle)) return *w;
        if (!running()) startProgram();
        drive::chooseMenu(frame(), "?APPLICATIONSETTINGSRESTYLEAPPLICATION");
        Window* w = drive::waitForWindow(kConfigurationTitle);
        if (!w) throw std::runtime_error("the configuration did not open");
        return *w;
    }
    Window& openProfiles() {
        Window& c = configuration();
        manager.USEFADING = 0;  // a fade holds the window's events back while it plays
        drive::click(c, "?CONFIGUREPROFILEBUTTON");
        Window* w = drive::waitForWindow(kProfilesTitle);
        if (!w) throw std::runtime_error("the profiles window did not open");
        return *w;
    }
    // Both windows closed: what the profiles window wrote is committed.
    void closeAll(Window& profiles) {
        drive::click(profiles, "?CLOSEBUTTON");
        drive::settle();
        drive::click(configuration(), "?CLOSEBUTTON");
        drive::settle();
    }
    // "&New", the name typed over the current one, and Enter or "&Save";
    // the message it raised, answered.
    static std::string newProfile(Window& w, const std::string& name, bool byEnter = false) {
        drive::click(w, "?NEWPROFILE");
        drive::typeOver(w, "?LOC:PROFILE", name);
        if (name.empty()) drive::pressKey(w, KEY::BackSpace);
        if (byEnter)
            drive::pressKey(w, KEY::Enter);
        else
            drive::click(w, "?SAVEBUTTON");
        const std::string said = drive::messageText();
        if (!said.empty()) drive::answerMessage("OK");
        return said;
    }
    static QAbstractItemView* list(Window& w) {
        return qobject_cast<QAbstractItemView*>(w.view()->widget(w.equate("?PROFILELIST")));
    }
    static std::vector<std::string> listed(Window& w) {
        std::vector<std::string> rows;
        for (int row = 0; row < list(w)->model()->rowCount(); ++row)
            rows.push_back(clip(list(w)->model()->index(row, 0).data().toString().toStdString()));
        return rows;
    }
    static std::string highlightedRow(Window& w) {
        const Long row = w.numberProperty(w.equate("?PROFILELIST"), PROP::Selected);
        return row == 0 ? "" : listed(w).at(static_cast<std::size_t>(row - 1));
    }
    static int rowOf(Window& w, const std::string& name) {
        const std::vector<std::string> rows = listed(w);
        return static_cast<int>(std::find(rows.begin(), rows.end(), name) - rows.begin()) + 1;
    }
    std::string user() const { return upper(clip(manager.USERNAME->view())); }
    // A setting stored as the editors store it, under that profile.
    Long storeUnder(const std::string& profile, StoredSetting setting) {
        const std::string was = manager.CURRENTPROFILE.str();
        manager.CURRENTPROFILE = profile;
        const Long setId = storeSetting(manager, setting);
        manager.CURRENTPROFILE = was;
        return setId;
    }
    static StoredSetting buttonFontColor(Long color, std::vector<StoredCondition> conditions = {}) {
        return {.group = restyle::controlTypeGroup(CREATE::button), .controlType = CREATE::button,
                .property = PROP::FontColor, .value = std::to_string(color), .conditions = std::move(conditions)};
    }
    static std::vector<std::string> currentProfileRows() {
        std::vector<std::string> rows;
        for (const SetRow& row : committedSets())
            if (row.group == restyle::kCurrentSelectedProfile) rows.push_back(row.set);
        return rows;
    }

    // The program's own report of a file it may not write, gone past.
    static bool goOnPastStops() {
        bool told = false;
        while (drive::window("Program stopped")) told = drive::answerMessage("&Go on");
        return told;
    }

    ZelStylemanagerClass manager;
};

}  // namespace

TEST_F(ConfigureProfileTest, ANewNameIsStoredAsAMarkerSetOrRefusedWithItsReason) {
    const std::string longName(54, 'x');
    const struct {
        const char* what;
        std::string name;
        bool byEnter;
        std::string message;  // "" when stored
    } cases[] = {
        {"a new name", "Blue", false, ""},
        {"the same name", "Blue", true, "Profile name is already in use!|Choose an other name."},
        {"the same name in other case", "blue", false, "Profile name is already in use!|Choose an other name."},
        {"a name beginning with ~", "~Hidden", true, ""},
        {"an empty name", "", false, ""},
        {"a name the files cannot hold", longName, false, "Profile name is too long!|Use at most 53 characters."},
        {"the longest name", std::string(53, 'y'), false, ""},
    };
    startProgram();
    const Long before = highestSetId();
    Window& w = openProfiles();
    EXPECT_EQ(listed(w), std::vector<std::string>{"DEFAULT"}) << "a user without sets";
    std::vector<std::string> stored;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(newProfile(w, c.name, c.byEnter), c.message);
        if (c.message.empty()) stored.push_back(c.name);
        EXPECT_TRUE(w.view()->widget(w.equate("?SAVEBUTTON"))->isHidden()) << "the edit mode ended";
        EXPECT_FALSE(w.view()->widget(w.equate("?NEWPROFILE"))->isHidden());
        EXPECT_EQ(w.property(w.equate("?LOC:PROFILE"), PROP::ReadOnly), "1");
        EXPECT_EQ(drive::screenText(w, "?LOC:PROFILE"), "DEFAULT") << "the current profile again";
        if (c.message.empty() && !c.name.starts_with('~')) {
            EXPECT_EQ(highlightedRow(w), c.name);
        }
    }
    EXPECT_EQ(listed(w), (std::vector<std::string>{"", "Blue", "DEFAULT", std::string(53, 'y')}));
    closeAll(w);

    std::vector<SetRow> markers;
    for (const SetRow& row : committedSets())
        if (row.id > before) markers.insert(markers.begin(), row);  // the file reads from the highest down
    ASSERT_EQ(markers.size(), stored.size());
    for (std::size_t i = 0; i < markers.size(); ++i) {
        SCOPED_TRACE(stored[i]);
        EXPECT_EQ(markers[i].user, user());
        EXPECT_EQ(markers[i].profile, stored[i]);
        EXPECT_EQ(markers[i].procedure, restyle::kGlobalSettings);
        EXPECT_TRUE(markers[i].group.starts_with("~New account added ")) << markers[i].group;
        EXPECT_EQ(markers[i].set, markers[i].group);
        EXPECT_EQ(markers[i].id, before + 1 + static_cast<Long>(i)) << "the highest number and one";
    }
}

TEST_F(ConfigureProfileTest, EscLeavesTheEditModeAndHighlightsTheCurrentProfile) {
    startProgram();
    Window& w = openProfiles();
    ASSERT_EQ(newProfile(w, "Blue"), "");
    ASSERT_EQ(highlightedRow(w), "Blue");
    drive::click(w, "?NEWPROFILE");
    EXPECT_FALSE(w.view()->widget(w.equate("?CANCELBUTTON"))->isHidden());
    EXPECT_TRUE(w.view()->widget(w.equate("?SELECTPROFILE"))->isHidden());
    drive::typeOver(w, "?LOC:PROFILE", "Green");
    drive::pressKey(w, KEY::Esc);
    EXPECT_EQ(drive::messageText(), "");
    EXPECT_TRUE(w.isOpen());
    EXPECT_EQ(highlightedRow(w), "DEFAULT");
    EXPECT_EQ(drive::screenText(w, "?LOC:PROFILE"), "DEFAULT");
    EXPECT_TRUE(w.view()->widget(w.equate("?CANCELBUTTON"))->isHidden());
    EXPECT_EQ(listed(w), (std::vector<std::string>{"Blue", "DEFAULT"})) << "nothing stored";
    closeAll(w);
}

TEST_F(ConfigureProfileTest, TheSelectedProfileIsTheNextRunsAndStylesItsWindows) {
    startProgram();
    storeUnder("DEFAULT", buttonFontColor(kBlue));
    storeUnder("Blue", buttonFontColor(kRed));
    Window& w = openProfiles();
    ASSERT_EQ(listed(w), (std::vector<std::string>{"Blue", "DEFAULT"}));
    drive::chooseRow(w, "?PROFILELIST", rowOf(w, "Blue"));
    drive::click(w, "?SELECTPROFILE");
    drive::settle();
    EXPECT_EQ(drive::window(kProfilesTitle), nullptr) << "closed by the choice";
    EXPECT_EQ(clip(manager.CURRENTPROFILE.view()), "Blue");
    drive::click(configuration(), "?CLOSEBUTTON");
    drive::settle();
    EXPECT_EQ(currentProfileRows(), std::vector<std::string>{"Blue"});
    drive::chooseMenu(frame(), "?EXIT");
    ASSERT_EQ(waitForExit(), 0);

    startProgram();
    EXPECT_EQ(clip(manager.CURRENTPROFILE.view()), "Blue");
    Window& connection = openWindow(KEY::F2, kConnectionTitle);
    EXPECT_EQ(connection.numberProperty(connection.equate("?CloseButton"), PROP::FontColor), kRed);

    // Chosen again, the row that holds the choice is written, not added.
    Window& again = openProfiles();
    drive::chooseRow(again, "?PROFILELIST", rowOf(again, "DEFAULT"));
    drive::click(again, "?SELECTPROFILE");
    drive::click(configuration(), "?CLOSEBUTTON");
    drive::settle();
    EXPECT_EQ(currentProfileRows(), std::vector<std::string>{"DEFAULT"});
    EXPECT_EQ(connection.numberProperty(connection.equate("?CloseButton"), PROP::FontColor), kBlue);
}

TEST_F(ConfigureProfileTest, DeletingAProfileTakesAllItHoldsAndOnlyAfterYes) {
    startProgram();
    const Long blueConditional =
        storeUnder("Blue", buttonFontColor(kRed, {{.property = PROP::Text, .op = "=", .value = "'&Close'"}}));
    const Long blueUnconditional = storeUnder("Blue", {.procedure = "ChooseODBCconnection",
                                                       .group = restyle::controlGroup("?CloseButton"),
                                                       .controlType = CREATE::button, .property = PROP::FontSize,
                                                       .value = "12"});
    const Long green = storeUnder("Green", buttonFontColor(kBlue));
    Window* w = &openProfiles();
    drive::chooseRow(*w, "?PROFILELIST", rowOf(*w, "Blue"));
    drive::click(*w, "?SELECTPROFILE");
    w = &openProfiles();
    ASSERT_EQ(listed(*w), (std::vector<std::string>{"Blue", "DEFAULT", "Green"}));

    const struct {
        const char* answer;
        std::vector<std::string> after;
    } answers[] = {
        {"&No", {"Blue", "DEFAULT", "Green"}},
        {"&Yes", {"DEFAULT", "Green"}},
    };
    for (const auto& a : answers) {
        SCOPED_TRACE(a.answer);
        drive::chooseRow(*w, "?PROFILELIST", rowOf(*w, "Blue"));
        drive::click(*w, "?DELETEPROFILE");
        EXPECT_EQ(drive::messageText(), "Are you sure you want to delete this profile?");
        ASSERT_TRUE(drive::answerMessage(a.answer));
        EXPECT_EQ(listed(*w), a.after);
    }
    EXPECT_EQ(clip(manager.CURRENTPROFILE.view()), "DEFAULT");
    EXPECT_EQ(highlightedRow(*w), "DEFAULT");
    closeAll(*w);

    for (const SetRow& row : committedSets()) EXPECT_NE(row.profile, "Blue") << row.group;
    const std::set<Long> withRows = setsWithRows();
    EXPECT_FALSE(withRows.contains(blueConditional));
    EXPECT_FALSE(withRows.contains(blueUnconditional));
    EXPECT_TRUE(withRows.contains(green)) << "the other profile keeps its settings";
    EXPECT_EQ(currentProfileRows(), std::vector<std::string>{"DEFAULT"});
}

// The sort key ignores case, so such profiles lie mixed in the file; each is
// listed and deleted by its exact name.
TEST_F(ConfigureProfileTest, ProfilesAFileHoldsInTwoCasesAreListedAndDeletedApart) {
    startProgram();
    const Long upperSet = storeUnder("Blue", buttonFontColor(kRed));
    const Long lowerSet = storeUnder("blue", {.procedure = "ChooseODBCconnection",
                                              .group = restyle::controlTypeGroup(CREATE::button),
                                              .controlType = CREATE::button, .property = PROP::FontColor,
                                              .value = std::to_string(kBlue)});
    Window& w = openProfiles();
    ASSERT_EQ(listed(w), (std::vector<std::string>{"Blue", "DEFAULT", "blue"}));
    drive::chooseRow(w, "?PROFILELIST", rowOf(w, "blue"));
    drive::click(w, "?DELETEPROFILE");
    ASSERT_TRUE(drive::answerMessage("&Yes"));
    EXPECT_EQ(listed(w), (std::vector<std::string>{"Blue", "DEFAULT"}));
    closeAll(w);
    const std::set<Long> withRows = setsWithRows();
    EXPECT_TRUE(withRows.contains(upperSet));
    EXPECT_FALSE(withRows.contains(lowerSet));
}

TEST_F(ConfigureProfileTest, TheDefaultProfileIsNeverDeletedWhateverItIsCalled) {
    const struct {
        const char* translation;  // nullptr: none
        std::string message;
    } cases[] = {
        {nullptr, "You can't delete DEFAULT profile!"},
        {"STANDAARD", "Je kunt het STANDAARD profiel niet verwijderen!"},
    };
    startProgram();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        if (c.translation) {
            manager.TRANSLATOR.AddTranslation("DEFAULT", c.translation);
            manager.TRANSLATOR.AddTranslation("You can't delete ", "Je kunt het");
            manager.TRANSLATOR.AddTranslation(" profile!", " profiel niet verwijderen!");
            manager.CURRENTPROFILE = c.translation;
        }
        const std::string standard = c.translation ? c.translation : "DEFAULT";
        Window& w = openProfiles();
        const std::vector<std::string> before = listed(w);
        drive::chooseRow(w, "?PROFILELIST", rowOf(w, standard));
        drive::click(w, "?DELETEPROFILE");
        EXPECT_EQ(drive::messageText(), c.message);
        ASSERT_TRUE(drive::answerMessage("OK"));
        EXPECT_EQ(listed(w), before);
        closeAll(w);
    }
}

// A file the user may not write: the delete stops at its first refusal, tells
// it, and the window goes on. A file is told once a run: a condition-set file
// the restyling found unwritable first, or the second refusal, says no more.
TEST_F(ConfigureProfileTest, ADeleteTheFileRefusesEndsWithTheMessageAndTheWindowGoesOn) {
    const std::string prefix = "The profile could not be deleted completely!|";
    const struct {
        const char* file;
        KeyedFile* ZelStylemanagerClass::*unwritable;
    } cases[] = {
        {"the condition file", &ZelStylemanagerClass::CONDITIONFILE},
        {"the condition-set file", &ZelStylemanagerClass::CONDITIONSETFILE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        startProgram();
        storeUnder("Blue", buttonFontColor(kRed, {{.property = PROP::Text, .op = "=", .value = "'&Close'"}}));
        KeyedFile& file = *(manager.*c.unwritable);
        file.close();
        ASSERT_TRUE(file.open(kReadOnly));
        ZelRestyleClass* frameObject = manager.RESTYLECLASSLIST.front();
        manager.USEFADING = 0;
        START([&] { manager.ConfigureProfile(*frameObject); });
        drive::settle();
        Window* w = drive::window(kProfilesTitle);
        ASSERT_TRUE(w);
        bool toldBefore = goOnPastStops();  // the program's own writes may meet the file first
        for (const bool again : {false, true}) {
            drive::chooseRow(*w, "?PROFILELIST", rowOf(*w, "Blue"));
            drive::click(*w, "?DELETEPROFILE");
            toldBefore = goOnPastStops() || toldBefore;
            ASSERT_TRUE(drive::answerMessage("&Yes"));
            toldBefore = goOnPastStops() || toldBefore;
            const std::string said = drive::messageText();
            EXPECT_TRUE(said.starts_with(prefix)) << said;
            EXPECT_EQ(said.size() > prefix.size(), !again && !toldBefore) << said;
            ASSERT_TRUE(drive::answerMessage("OK"));
            EXPECT_EQ(listed(*w), (std::vector<std::string>{"Blue", "DEFAULT"}));
        }
        drive::click(*w, "?CLOSEBUTTON");
        drive::settle();
        EXPECT_EQ(drive::window(kProfilesTitle), nullptr);
        drive::chooseMenu(frame(), "?EXIT");
        goOnPastStops();
        ASSERT_EQ(waitForExit(), 0);
    }
}
