// The properties window, opened in the running program from the
// configuration window as a user opens it; what it writes is read back from
// the property file by a reader of its own.
#include "programsupport/ProgramFixture.h"
#include "programsupport/StoredSettings.h"

#include "app/main/Globals.h"
#include "platform/files/KeyedFile.h"
#include "platform/ui/Beep.h"
#include "restyle/ZelPropertiesFile.h"
#include "stylemanager/ZelStylemanagerClass.h"

#include <set>

using namespace platform;

namespace {

constexpr const char* kConnectionTitle = "Choose an ODB Cconnection";
constexpr Long kConfigureKey = KEY::Ctrl + KEY::Alt + KEY::letter('S');

struct OfferedRow {
    std::string property;
    Long equate = 0;
    std::string description;
    Byte hidden = 0;
};

// The file's rows of one control type in key order, as a second reader finds them.
std::vector<OfferedRow> offeredIn(Long controlType) {
    ZelPropertiesFile reader;
    if (!reader.open(kReadOnly)) throw std::runtime_error("the property file cannot be read");
    reader.rec.CONTROLTYPEEQUATE = controlType;
    reader.rec.PROPERTY = "";
    reader.set(reader.P_KEY_ZELPF, reader.P_KEY_ZELPF);
    std::vector<OfferedRow> rows;
    while (reader.next() && reader.rec.CONTROLTYPEEQUATE == controlType)
        rows.push_back({clip(reader.rec.PROPERTY.view()), reader.rec.PROPERTYEQUATE,
                        clip(reader.rec.PROPERTYDESCRIPTION.view()), reader.rec.HIDEFROMENDUSER});
    reader.close();
    return rows;
}

std::set<std::string> namesOf(const std::vector<OfferedRow>& rows) {
    std::set<std::string> names;
    for (const OfferedRow& row : rows) names.insert(row.property);
    return names;
}

class ConfigurePropertiesTest : public ProgramFixture {
protected:
    // The connection window, the configuration over it and the properties
    // window over that.
    Window& openProperties() {
        connection_ = &openWindow(KEY::F2, kConnectionTitle);
        StyleManager.USEFADING = 0;  // no window waits for its fade
        drive::pressKey(*connection_, kConfigureKey);
        configuration_ = drive::waitForWindow("Zelora maatwerk");
        if (!configuration_) throw std::runtime_error("the configuration did not open");
        drive::click(*configuration_, "?CONFIGUREPROPERTIESBUTTON");
        Window* w = drive::waitForWindow("ZelRestyle");
        if (!w) throw std::runtime_error("the properties window did not open");
        return *w;
    }
    void closeAll(Window& w) {
        drive::click(w, "?CLOSEBUTTON");
        drive::click(*configuration_, "?CLOSEBUTTON");
        drive::settle();
    }
    static int rowOf(const ControlTypeList& types, Long controlType) {
        for (std::size_t i = 1; i <= types.records(); ++i)
            if (types.at(i).CONTROLTYPEEQUATE == controlType) return static_cast<int>(i);
        throw std::runtime_error("no control type " + std::to_string(controlType));
    }
    static int rowOf(const std::vector<OfferedRow>& rows, Long property) {
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (rows[i].equate == property) return static_cast<int>(i + 1);
        throw std::runtime_error("property " + std::to_string(property) + " is not offered");
    }
    static int catalogueRowOf(Long property) {
        const PropertyCatalogue& catalogue = StyleManager.CLARIONCONTROLPROPERTIESQUEUE;
        for (std::size_t i = 1; i <= catalogue.records(); ++i)
            if (catalogue.at(i).PROPERTYEQUATE == property) return static_cast<int>(i);
        throw std::runtime_error("property " + std::to_string(property) + " is not in the catalogue");
    }
    static std::string catalogueName(int row) {
        return StyleManager.CLARIONCONTROLPROPERTIESQUEUE.at(static_cast<std::size_t>(row)).PROPERTY.str();
    }
    static std::set<std::string> catalogueNames(std::initializer_list<int> rows) {
        std::set<std::string> names;
        for (const int row : rows) names.insert(catalogueName(row));
        return names;
    }
    static std::set<std::string> wholeCatalogue() {
        std::set<std::string> names;
        const PropertyCatalogue& catalogue = StyleManager.CLARIONCONTROLPROPERTIESQUEUE;
        for (std::size_t i = 1; i <= catalogue.records(); ++i) names.insert(catalogue.at(i).PROPERTY.str());
        return names;
    }
    static bool anyCatalogueMark() {
        const PropertyCatalogue& catalogue = StyleManager.CLARIONCONTROLPROPERTIESQUEUE;
        for (std::size_t i = 1; i <= catalogue.records(); ++i)
            if (catalogue.at(i).MARK != 0) return true;
        return false;
    }
    // The connection window opened anew, styled by what is committed.
    std::string closeButtonColour() {
        drive::closeBySystemMenu(*connection_);
        connection_ = &openWindow(KEY::F2, kConnectionTitle);
        return drive::property(*connection_, "?CloseButton", PROP::FontColor);
    }

    Window* connection_ = nullptr;
    Window* configuration_ = nullptr;
};

}  // namespace

TEST_F(ConfigurePropertiesTest, PropertiesAreAddedAndRemovedForTheChosenControlType) {
    Window& w = openProperties();
    for (const Long type : {CREATE::button, CREATE::entry}) {
        SCOPED_TRACE("control type " + std::to_string(type));
        drive::chooseRow(w, "?CONTROLTYPELIST", rowOf(StyleManager.CONTROLTYPESQUEUE, type));

        drive::click(w, "?COPYALLBUTTON");
        const std::vector<OfferedRow> all = offeredIn(type);
        EXPECT_EQ(namesOf(all), wholeCatalogue());
        EXPECT_EQ(all.size(), wholeCatalogue().size()) << "each once";
        drive::click(w, "?COPYALLBUTTON");
        EXPECT_EQ(offeredIn(type).size(), all.size()) << "the second time adds nothing";
        drive::click(w, "?DELETEALLBUTTON");
        EXPECT_TRUE(offeredIn(type).empty());

        for (const int row : {2, 4, 6}) drive::toggleMark(w, "?PROPERTYLIST", row);
        drive::click(w, "?COPYBUTTON");
        EXPECT_EQ(namesOf(offeredIn(type)), catalogueNames({2, 4, 6}));
        EXPECT_FALSE(anyCatalogueMark()) << "the marks are cleared";

        drive::click(w, "?DELETEALLBUTTON");
        drive::chooseRow(w, "?PROPERTYLIST", 5);
        drive::click(w, "?COPYBUTTON");
        EXPECT_EQ(namesOf(offeredIn(type)), catalogueNames({5})) << "without marks the highlighted row";

        drive::doubleClickRow(w, "?PROPERTYLIST", 5);  // offered already
        drive::doubleClickRow(w, "?PROPERTYLIST", 7);
        EXPECT_EQ(namesOf(offeredIn(type)), catalogueNames({5, 7}));

        drive::click(w, "?COPYALLBUTTON");
        for (const int row : {1, 3}) drive::toggleMark(w, "?ACTIVEPROPERTYLIST", row);
        drive::click(w, "?DELETEBUTTON");
        std::set<std::string> left = namesOf(all);
        left.erase(all[0].property);
        left.erase(all[2].property);
        EXPECT_EQ(namesOf(offeredIn(type)), left) << "the two marked rows are gone";
    }
    closeAll(w);
}

TEST_F(ConfigurePropertiesTest, TheHideFlagIsStoredPerControlTypeAndProperty) {
    Window& w = openProperties();
    for (const Long type : {CREATE::button, CREATE::entry}) {
        drive::chooseRow(w, "?CONTROLTYPELIST", rowOf(StyleManager.CONTROLTYPESQUEUE, type));
        drive::click(w, "?COPYALLBUTTON");
    }
    drive::chooseRow(w, "?CONTROLTYPELIST", rowOf(StyleManager.CONTROLTYPESQUEUE, CREATE::button));
    drive::chooseRow(w, "?ACTIVEPROPERTYLIST", rowOf(offeredIn(CREATE::button), PROP::FontColor));
    drive::click(w, "?HIDEFROMENDUSER");

    const std::vector<OfferedRow> buttons = offeredIn(CREATE::button);
    const std::vector<OfferedRow> entries = offeredIn(CREATE::entry);
    EXPECT_EQ(buttons[static_cast<std::size_t>(rowOf(buttons, PROP::FontColor) - 1)].hidden, 1);
    EXPECT_EQ(entries[static_cast<std::size_t>(rowOf(entries, PROP::FontColor) - 1)].hidden, 0);
    std::size_t hidden = 0;
    for (const auto* rows : {&buttons, &entries})
        for (const OfferedRow& row : *rows) hidden += row.hidden;
    EXPECT_EQ(hidden, 1u) << "no other row";

    drive::chooseRow(w, "?ACTIVEPROPERTYLIST", 1);
    EXPECT_EQ(drive::property(w, "?HIDEFROMENDUSER", PROP::Selected), "0") << "the highlighted row's flag";
    drive::chooseRow(w, "?ACTIVEPROPERTYLIST", rowOf(buttons, PROP::FontColor));
    EXPECT_EQ(drive::property(w, "?HIDEFROMENDUSER", PROP::Selected), "1");
    closeAll(w);
}

TEST_F(ConfigurePropertiesTest, AnEmptyDescriptionIsRefusedWithABeepAndANewOneIsStored) {
    Window& w = openProperties();
    drive::chooseRow(w, "?CONTROLTYPELIST", rowOf(StyleManager.CONTROLTYPESQUEUE, CREATE::button));
    drive::click(w, "?COPYALLBUTTON");
    drive::chooseRow(w, "?ACTIVEPROPERTYLIST", 2);
    const std::string old = offeredIn(CREATE::button)[1].description;
    ASSERT_FALSE(old.empty());

    const std::size_t beeps = beepsSounded();
    drive::typeOver(w, "?PROPERTYDESCRIPTION", "");
    drive::pressKey(w, KEY::Delete);
    drive::leave(w, "?PROPERTYDESCRIPTION");
    EXPECT_EQ(beepsSounded(), beeps + 1);
    EXPECT_EQ(drive::screenText(w, "?PROPERTYDESCRIPTION"), old) << "the old text back";
    EXPECT_EQ(w.focus(), w.equate("?PROPERTYDESCRIPTION")) << "the focus back";
    EXPECT_EQ(offeredIn(CREATE::button)[1].description, old);

    drive::typeOver(w, "?PROPERTYDESCRIPTION", "Kleur van de letters");
    drive::leave(w, "?PROPERTYDESCRIPTION");
    EXPECT_EQ(offeredIn(CREATE::button)[1].description, "Kleur van de letters");
    EXPECT_EQ(beepsSounded(), beeps + 1);
    drive::chooseRow(w, "?ACTIVEPROPERTYLIST", 1);
    drive::chooseRow(w, "?ACTIVEPROPERTYLIST", 2);
    EXPECT_EQ(drive::screenText(w, "?PROPERTYDESCRIPTION"), "Kleur van de letters") << "the list row too";
    closeAll(w);
}

// The engine styles a control type with the properties offered for it,
// hidden or not.
TEST_F(ConfigurePropertiesTest, ARemovedPropertyNoLongerStylesAndAHiddenOneStillDoes) {
    startProgram();
    storeSetting(StyleManager, {.procedure = "ChooseODBCconnection", .group = restyle::controlTypeGroup(CREATE::button),
                                .controlType = CREATE::button, .property = PROP::FontColor, .value = "255"});
    Window* w = &openProperties();
    EXPECT_EQ(drive::property(*connection_, "?CloseButton", PROP::FontColor), "255");
    drive::chooseRow(*w, "?CONTROLTYPELIST", rowOf(StyleManager.CONTROLTYPESQUEUE, CREATE::button));
    drive::toggleMark(*w, "?ACTIVEPROPERTYLIST", rowOf(offeredIn(CREATE::button), PROP::FontColor));
    drive::click(*w, "?DELETEBUTTON");
    closeAll(*w);
    EXPECT_EQ(closeButtonColour(), "") << "no longer offered";

    drive::closeBySystemMenu(*connection_);
    w = &openProperties();
    drive::chooseRow(*w, "?CONTROLTYPELIST", rowOf(StyleManager.CONTROLTYPESQUEUE, CREATE::button));
    drive::doubleClickRow(*w, "?PROPERTYLIST", catalogueRowOf(PROP::FontColor));
    drive::chooseRow(*w, "?ACTIVEPROPERTYLIST", rowOf(offeredIn(CREATE::button), PROP::FontColor));
    drive::click(*w, "?HIDEFROMENDUSER");
    closeAll(*w);
    EXPECT_EQ(closeButtonColour(), "255") << "offered and hidden";
}
