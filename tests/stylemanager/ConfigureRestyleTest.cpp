// The restyle editor, opened in the running program from the configuration
// over the connection window as a user opens it; what it stores is read
// through the style manager's own files while the configuration is up.
#include "programsupport/ProgramFixture.h"
#include "programsupport/StoredSettings.h"

#include "app/main/Globals.h"
#include "platform/data/RecordRef.h"
#include "platform/fiber/Scheduler.h"
#include "platform/files/KeyedFile.h"
#include "platform/ui/WindowView.h"
#include "restyle/ZelRestyleClass.h"
#include "stylemanager/ZelStylemanagerClass.h"

#include <QApplication>
#include <QTableView>
#include <optional>

using namespace platform;

namespace {

constexpr const char* kConnectionTitle = "Choose an ODB Cconnection";
constexpr const char* kProcedure = "ChooseODBCconnection";
constexpr Long kConfigureKey = KEY::Ctrl + KEY::Alt + KEY::letter('S');

struct SetRow {
    std::string user, profile, procedure, group, name;
    Long id = 0;
    bool operator==(const SetRow&) const = default;
};

class ConfigureRestyleTest : public ProgramFixture {
protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        startProgram();
        StyleManager.USEFADING = 0;  // no window waits for its fade
        // The property file offers the text of buttons and entries.
        storeSetting(StyleManager, {.group = restyle::controlTypeGroup(CREATE::button), .controlType = CREATE::button,
                                    .property = PROP::Text, .value = "Dicht"});
        storeSetting(StyleManager, {.procedure = kProcedure, .group = restyle::controlTypeGroup(CREATE::entry),
                                    .controlType = CREATE::entry, .property = PROP::Text, .value = "x", .enabled = 0});
    }

    Window& openEditor() {
        connection_ = &openWindow(KEY::F2, kConnectionTitle);
        drive::pressKey(*connection_, kConfigureKey);
        configuration_ = drive::waitForWindow("Zelora maatwerk");
        if (!configuration_) throw std::runtime_error("the configuration did not open");
        drive::click(*configuration_, "?CONFIGURERESTYLEBUTTON");
        Window* w = drive::waitForWindow("ZelRestyle");
        if (!w) throw std::runtime_error("the restyle editor did not open");
        return *w;
    }

    static QTableView& listOf(Window& w, std::string_view label) {
        auto* list = qobject_cast<QTableView*>(w.view()->widget(w.equate(label)));
        if (!list) throw std::runtime_error(std::string(label) + " is no list");
        return *list;
    }
    // The rows a list shows, its columns joined by "|".
    static std::vector<std::string> shown(Window& w, std::string_view label) {
        QTableView& list = listOf(w, label);
        std::vector<std::string> rows;
        for (int row = 0; row < list.model()->rowCount(); ++row) {
            if (list.isRowHidden(row)) continue;
            std::string text;
            for (int column = 0; column < list.model()->columnCount(); ++column)
                text += (column ? "|" : "") + list.model()->index(row, column).data().toString().toStdString();
            rows.push_back(text);
        }
        return rows;
    }
    // The queue position of the row showing that text in the given column.
    static int rowOf(Window& w, std::string_view label, int column, std::string_view text) {
        QTableView& list = listOf(w, label);
        for (int row = 0; row < list.model()->rowCount(); ++row)
            if (list.model()->index(row, column - 1).data().toString().toStdString() == text) return row + 1;
        throw std::runtime_error(std::string(label) + " shows no " + std::string(text));
    }

    // The condition sets of a group, as the file holds them.
    static std::vector<SetRow> setsOf(const std::string& group) {
        ZelStylemanagerClass& m = StyleManager;
        std::vector<SetRow> rows;
        clearRecord(*m.CONDITIONSETFILE->record().fields, m.CONDITIONSETFILE->record().buffer);
        m.CONDITIONSETFILE->set(*m.CONDITIONSETFILEPRIMARYKEY);
        while (m.CONDITIONSETFILE->next())
            if (clip(m.CONDITIONSETFILEGROUPNAMEFIELD.text()) == group)
                rows.push_back({clip(m.CONDITIONSETFILEUSERNAMEFIELD.text()), clip(m.CONDITIONSETFILEPROFILEFIELD.text()),
                                clip(m.CONDITIONSETFILEPROCEDURENAMEFIELD.text()), group,
                                clip(m.CONDITIONSETFILECONDITIONALSETFIELD.text()),
                                static_cast<Long>(m.CONDITIONSETFILECONDITIONALSETIDFIELD.number())});
        return rows;
    }
    static std::optional<SetRow> setNamed(const std::string& group, const std::string& name) {
        for (const SetRow& row : setsOf(group))
            if (row.name == name) return row;
        return std::nullopt;
    }
    static std::optional<PROPERTYSETTINGRecord> stored(Long setId, Long property) {
        PROPERTYSETTINGRecord setting;
        if (!StyleManager.LoadGroup(recordRef(setting), setId, restyle::propertyName(property))) return std::nullopt;
        return setting;
    }
    static bool storesAnything(Long setId) {
        ZelStylemanagerClass& m = StyleManager;
        m.RESTYLEFILECONDITIONALSETID.setNumber(setId);
        m.RESTYLEFILEPROPERTYFIELD.setText("");
        m.RESTYLEFILEPARAMETERFIELD.setText("");
        m.RESTYLEFILE->set(*m.RESTYLEFILEPRIMARYKEY, *m.RESTYLEFILEPRIMARYKEY);
        return m.RESTYLEFILE->next() && m.RESTYLEFILECONDITIONALSETID.number() == setId;
    }
    static std::string user() { return upper(clip(StyleManager.USERNAME->view())); }
    static std::string profile() { return clip(StyleManager.CURRENTPROFILE.view()); }

    // "&New", the name typed and Enter (or Esc).
    static void nameNewSet(Window& w, const std::string& name, Long key = KEY::Enter) {
        drive::click(w, "?INSERTCONDITIONSETBUTTON");
        drive::type(w, "?CONDITIONSETNAMEEDITOR", name);
        drive::pressKey(w, key);
    }
    static std::string chosenSet(Window& w) {
        const Long row = w.numberProperty(w.equate("?CONDITIONSETLIST"), PROP::Selected);
        const auto& sets = StyleManager.CONDITIONSETQUEUE;
        return row >= 1 && static_cast<std::size_t>(row) <= sets.records()
                   ? clip(sets.at(static_cast<std::size_t>(row)).CONDITIONALSET.view())
                   : "";
    }

    Window* connection_ = nullptr;
    Window* configuration_ = nullptr;
};

}  // namespace

TEST_F(ConfigureRestyleTest, TheTreeHoldsTheOfferedTypesWithTheirControlsInReverseOrderAndTheirMarkers) {
    Window& w = openEditor();
    EXPECT_EQ(shown(w, "?CONTROLLIST"),
              (std::vector<std::string>{"=>|||BUTTON", "|||&Close (CLOSEBUTTON)", "|=>||ENTRY"}))
        << "types offering nothing are pruned; the first type row is open";
    drive::expandRow(w, "?CONTROLLIST", rowOf(w, "?CONTROLLIST", 4, "ENTRY"));
    const std::vector<std::string> rows = shown(w, "?CONTROLLIST");
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[3], "|||Password (PASSWORD)") << "the later field first";
    EXPECT_EQ(rows[4], "|||Username (USERNAME)");

    drive::collapseRow(w, "?CONTROLLIST", 1);
    EXPECT_EQ(shown(w, "?CONTROLLIST").size(), 4u);
    drive::chooseRow(w, "?CONTROLLIST", rowOf(w, "?CONTROLLIST", 4, "BUTTON"));
    drive::chooseRow(w, "?CONTROLLIST", rowOf(w, "?CONTROLLIST", 4, "ENTRY"));
    EXPECT_EQ(shown(w, "?CONTROLLIST"),
              (std::vector<std::string>{"=>|||BUTTON", "|=>||ENTRY", "|||Password (PASSWORD)",
                                        "|||Username (USERNAME)"}))
        << "choosing another type row collapses the one chosen before";
    EXPECT_EQ(drive::tipOverCell(w, "?CONTROLLIST", 1, 1), "Global property present");
}

TEST_F(ConfigureRestyleTest, ANewSetIsNamedInPlaceAndStoredForTheChosenRowsScope) {
    const struct {
        const char* row;
        Byte changeGlobal;
        std::string procedure, group;
    } cases[] = {
        {"BUTTON", 1, "~Global settings", restyle::controlTypeGroup(CREATE::button)},
        {"BUTTON", 0, kProcedure, restyle::controlTypeGroup(CREATE::button)},
        {"&Close (CLOSEBUTTON)", 1, kProcedure, restyle::controlGroup("?CLOSEBUTTON")},
    };
    for (const auto& c : cases) {
        StyleManager.CHANGEGLOBALPROPERTIES = c.changeGlobal;
        Window& w = openEditor();
        drive::chooseRow(w, "?CONTROLLIST", rowOf(w, "?CONTROLLIST", 4, c.row));
        const std::string name = "Blue " + std::to_string(c.changeGlobal);
        nameNewSet(w, name, KEY::Esc);
        EXPECT_FALSE(setNamed(c.group, name)) << c.row << ": Esc stores nothing";
        nameNewSet(w, name);
        const std::optional<SetRow> set = setNamed(c.group, name);
        ASSERT_TRUE(set) << c.row;
        EXPECT_EQ(*set, (SetRow{user(), profile(), c.procedure, c.group, name, set->id})) << c.row;
        EXPECT_EQ(chosenSet(w), name) << c.row << ": the set named stays chosen";
        drive::click(w, "?OKBUTTON");
        drive::click(*configuration_, "?CLOSEBUTTON");
        drive::closeBySystemMenu(*connection_);
    }
}

TEST_F(ConfigureRestyleTest, ChangeRenamesASetButNeitherChangeNorDeleteTouchesUnconditional) {
    Window& w = openEditor();
    const std::string group = restyle::controlTypeGroup(CREATE::button);
    nameNewSet(w, "Blue");
    drive::click(w, "?CHANGECONDITIONSETBUTTON");
    drive::typeOver(w, "?CONDITIONSETNAMEEDITOR", "Green");
    drive::pressKey(w, KEY::Enter);
    EXPECT_FALSE(setNamed(group, "Blue"));
    ASSERT_TRUE(setNamed(group, "Green"));
    EXPECT_EQ(chosenSet(w), "Green");

    const Long unconditional = setNamed(group, "-Unconditional-")->id;
    drive::chooseRow(w, "?CONDITIONSETLIST", 1);
    drive::click(w, "?CHANGECONDITIONSETBUTTON");
    drive::click(w, "?DELETECONDITIONSETBUTTON");
    ASSERT_TRUE(setNamed(group, "-Unconditional-"));
    EXPECT_EQ(setNamed(group, "-Unconditional-")->id, unconditional);
    EXPECT_TRUE(stored(unconditional, PROP::Text)) << "its settings stay";

    const Long green = setNamed(group, "Green")->id;
    drive::chooseRow(w, "?CONDITIONSETLIST", 2);
    drive::click(w, "?PROPERTYENABLED");
    ASSERT_TRUE(stored(green, PROP::Text));
    drive::click(w, "?DELETECONDITIONSETBUTTON");
    EXPECT_FALSE(setNamed(group, "Green"));
    EXPECT_FALSE(storesAnything(green)) << "its values go with it";
}

TEST_F(ConfigureRestyleTest, TheSwitchAndTheTextAreStoredForTheChosenSetAndNothingUnderANewOneOrZero) {
    Window& w = openEditor();
    const std::string group = restyle::controlTypeGroup(CREATE::button);
    const Long unconditional = setNamed(group, "-Unconditional-")->id;
    ASSERT_EQ(shown(w, "?ACTIVEPROPERTYLIST"), (std::vector<std::string>{"=>|TEXT"}));
    EXPECT_EQ(drive::screenText(w, "?TEXTPROPERTYENTRY"), "Dicht");

    drive::click(w, "?PROPERTYENABLED");
    EXPECT_EQ(stored(unconditional, PROP::Text)->ENABLED, 0);
    drive::click(w, "?PROPERTYENABLED");
    drive::typeOver(w, "?TEXTPROPERTYENTRY", "Sluiten");
    drive::leave(w, "?TEXTPROPERTYENTRY");
    EXPECT_EQ(stored(unconditional, PROP::Text)->ENABLED, 1);
    EXPECT_EQ(clip(stored(unconditional, PROP::Text)->VALUE.view()), "Sluiten");

    drive::typeOver(w, "?TEXTPROPERTYENTRY", "Weg");
    drive::leave(w, "?TEXTPROPERTYENTRY");
    drive::click(w, "?UNDOPROPERTYCHANGEBUTTON");
    EXPECT_EQ(clip(stored(unconditional, PROP::Text)->VALUE.view()), "Dicht") << "back as it was loaded";

    nameNewSet(w, "Blue");
    const Long blue = setNamed(group, "Blue")->id;
    EXPECT_FALSE(storesAnything(blue)) << "the other set's setting is not carried over";
    EXPECT_FALSE(storesAnything(0));
    EXPECT_EQ(chosenSet(w), "Blue");
    EXPECT_EQ(shown(w, "?ACTIVEPROPERTYLIST"), (std::vector<std::string>{"|TEXT"}));

    drive::chooseTab(w, "?CLARIONPROPERTYTAB");
    drive::click(w, "?CLARIONVALUEPROPERTYENABLED");
    drive::click(w, "?PROPERTYCLARIONVALUE");
    EXPECT_EQ(stored(blue, PROP::Text)->CLARIONVALUE, 1);
}

TEST_F(ConfigureRestyleTest, ASettingAnotherWindowLooksUpMeanwhileIsNeverStoredForTheEditedProperty) {
    Window& w = openEditor();
    const Long unconditional = setNamed(restyle::controlTypeGroup(CREATE::button), "-Unconditional-")->id;
    drive::click(w, "?PROPERTYENABLED");
    drive::click(w, "?PROPERTYENABLED");
    drive::typeOver(w, "?TEXTPROPERTYENTRY", "Sluiten");
    // What any restyle object's look-up leaves in the style manager's group,
    // a window of another thread resized meanwhile, say.
    StyleManager.CONTROLPROPERTYGROUP.ENABLED = 1;
    StyleManager.CONTROLPROPERTYGROUP.VALUE = "another window's";
    StyleManager.CONTROLPROPERTYGROUP.CLARIONVALUE = 1;
    drive::leave(w, "?TEXTPROPERTYENTRY");
    const std::optional<PROPERTYSETTINGRecord> setting = stored(unconditional, PROP::Text);
    ASSERT_TRUE(setting);
    EXPECT_EQ(setting->ENABLED, 1);
    EXPECT_EQ(clip(setting->VALUE.view()), "Sluiten");
    EXPECT_EQ(setting->CLARIONVALUE, 0);
}

// Opened on one control picked on screen: no tree and no type switches, the
// set list where the tree was and the property list where the sets were.
TEST_F(ConfigureRestyleTest, OnAControlPickedOnScreenTheListsTakeTheTreesPlace) {
    Window& connection = openWindow(KEY::F2, kConnectionTitle);
    drive::pressKey(connection, kConfigureKey);
    Window* configuration = drive::waitForWindow("Zelora maatwerk");
    ASSERT_TRUE(configuration);
    drive::click(*configuration, "?CONFIGURERESTYLEDIRECLTYONWINDOWBUTTON");
    const auto pause = [] { Scheduler::instance().pumpUntil([] { return false; }, std::chrono::milliseconds(250)); };
    pause();
    drive::moveMouse(connection, "?Username", 3, 3);
    pause();
    drive::clickPointer();
    ASSERT_TRUE(Scheduler::instance().pumpUntil([] { return QApplication::activePopupWidget() != nullptr; },
                                                std::chrono::seconds(2)));
    const std::vector<std::string> offered = drive::popupItems();
    ASSERT_FALSE(offered.empty());
    drive::choosePopup({offered.front()});
    Window* editor = drive::waitForWindow("ZelRestyle");
    ASSERT_TRUE(editor);
    Window& w = *editor;
    const auto at = [&w](const char* label, Long prop) { return w.numberProperty(w.equate(label), prop); };
    for (const char* hidden : {"?SHOWALLCONTROLTYPES", "?SHOWMODIFIEDCONTROLTYPESONLY", "?CONTROLLIST"})
        EXPECT_EQ(at(hidden, PROP::Visible), 0) << hidden;
    EXPECT_EQ(at("?CONDITIONSETLIST", PROP::Xpos), at("?CONTROLLIST", PROP::Xpos));
    EXPECT_EQ(at("?CONDITIONSETLIST", PROP::Ypos), at("?CONTROLLIST", PROP::Ypos));
    EXPECT_EQ(at("?CONDITIONSETLIST", PROP::Width), at("?CONTROLLIST", PROP::Width));
    EXPECT_EQ(at("?CONDITIONSETLIST", PROP::Height), at("?CONTROLLIST", PROP::Height) - 20);
    EXPECT_EQ(at("?ACTIVEPROPERTYLIST", PROP::Height), 191);
    const std::pair<const char*, Long> buttons[] = {
        {"?INSERTCONDITIONSETBUTTON", 5}, {"?CHANGECONDITIONSETBUTTON", 55}, {"?DELETECONDITIONSETBUTTON", 107}};
    for (const auto& [button, x] : buttons) {
        EXPECT_EQ(at(button, PROP::Xpos), x) << button;
        EXPECT_EQ(at(button, PROP::Ypos), 290) << button;
    }
    EXPECT_EQ(shown(w, "?CONDITIONSETLIST").front(), "-Unconditional-");
    drive::click(w, "?OKBUTTON");
    pause();
    drive::pressKey(connection, KEY::Esc);
    pause();
}

namespace {

class ConfigureRestyleAsANewUserTest : public ProgramFixture {};

int rowOfType(Long controlType) {
    const ControlTypeList& types = StyleManager.CONTROLTYPESQUEUE;
    for (std::size_t i = 1; i <= types.records(); ++i)
        if (types.at(i).CONTROLTYPEEQUATE == controlType) return static_cast<int>(i);
    throw std::runtime_error("no control type " + std::to_string(controlType));
}

int catalogueRowOf(Long property) {
    const PropertyCatalogue& catalogue = StyleManager.CLARIONCONTROLPROPERTIESQUEUE;
    for (std::size_t i = 1; i <= catalogue.records(); ++i)
        if (catalogue.at(i).PROPERTYEQUATE == property) return static_cast<int>(i);
    throw std::runtime_error("property " + std::to_string(property) + " is not in the catalogue");
}

}  // namespace

TEST_F(ConfigureRestyleAsANewUserTest, AButtonOfferedInThePropertyConfigurationGetsItsOwnTextFromTheEditor) {
    startProgram();
    StyleManager.USEFADING = 0;
    Window& connection = openWindow(KEY::F2, kConnectionTitle);
    drive::pressKey(connection, kConfigureKey);
    Window* configuration = drive::waitForWindow("Zelora maatwerk");
    ASSERT_TRUE(configuration);
    drive::click(*configuration, "?CONFIGUREPROPERTIESBUTTON");
    Window* properties = drive::waitForWindow("ZelRestyle");
    ASSERT_TRUE(properties);
    drive::chooseRow(*properties, "?CONTROLTYPELIST", rowOfType(CREATE::button));
    drive::doubleClickRow(*properties, "?PROPERTYLIST", catalogueRowOf(PROP::Text));
    drive::click(*properties, "?CLOSEBUTTON");

    drive::click(*configuration, "?CONFIGURERESTYLEBUTTON");
    Window* editor = drive::waitForWindow("ZelRestyle");
    ASSERT_TRUE(editor);
    drive::chooseRow(*editor, "?CONTROLLIST", 2);
    drive::click(*editor, "?PROPERTYENABLED");
    EXPECT_EQ(drive::screenText(*editor, "?TEXTPROPERTYENTRY"), "&Close") << "the control's present text";
    drive::typeOver(*editor, "?TEXTPROPERTYENTRY", "&Sluiten");
    drive::leave(*editor, "?TEXTPROPERTYENTRY");
    drive::click(*editor, "?OKBUTTON");
    drive::click(*configuration, "?CLOSEBUTTON");
    drive::settle();
    EXPECT_EQ(drive::property(connection, "?CloseButton", PROP::Text), "&Sluiten");
}
