// Windows restyled from the data files: the scopes and condition sets a
// setting comes from, the start limit, the opening geometry, removing the
// styling, "Control position and size" over resizes, stored expressions and
// size changes under a modal window.
#include "RestyleFixture.h"

using namespace platform;

namespace {

class ZelRestyleClassTest : public RestyleFixture {};

StoredSetting forButtons(std::string procedure, Long property, std::string value, Byte enabled = 1) {
    return {.procedure = std::move(procedure), .group = restyle::controlTypeGroup(CREATE::button),
            .controlType = CREATE::button, .property = property, .value = std::move(value), .enabled = enabled};
}

StoredSetting forOK(Long property, std::string value, Byte enabled = 1) {
    return {.procedure = kProcedure, .group = restyle::controlGroup("?OK"), .controlType = CREATE::button,
            .property = property, .value = std::move(value), .enabled = enabled};
}

StoredSetting inSet(StoredSetting setting, std::string set, std::vector<StoredCondition> conditions) {
    setting.set = std::move(set);
    setting.conditions = std::move(conditions);
    return setting;
}

const std::string kGlobal{restyle::kGlobalSettings};
const StoredCondition kIsButton{PROP::Type, "=", "9"};
const StoredCondition kIsString{PROP::Type, "=", "2"};

}  // namespace

TEST_F(ZelRestyleClassTest, TheMostSpecificScopeWinsAndDisabledValuesPassOn) {
    const struct {
        const char* name;
        std::vector<StoredSetting> settings;
        const char* read;  // GetProperty's value for ?OK, "" when it finds none
        const char* onOK;  // the text Restyle leaves on ?OK
        const char* onCancel;
    } cases[] = {
        {"nothing stored", {}, "", "&OK", "&Cancel"},
        {"global type", {forButtons(kGlobal, PROP::Text, "Global")}, "Global", "Global", "Global"},
        {"procedure type over global",
         {forButtons(kGlobal, PROP::Text, "Global"), forButtons(kProcedure, PROP::Text, "Procedure")},
         "Procedure", "Procedure", "Procedure"},
        {"control over both",
         {forButtons(kGlobal, PROP::Text, "Global"), forButtons(kProcedure, PROP::Text, "Procedure"),
          forOK(PROP::Text, "Control")},
         "Control", "Control", "Procedure"},
        {"a disabled control setting passes on",
         {forButtons(kGlobal, PROP::Text, "Global"), forOK(PROP::Text, "Control", 0)}, "Global", "Global", "Global"},
        {"a disabled procedure setting passes on",
         {forButtons(kGlobal, PROP::Text, "Global"), forButtons(kProcedure, PROP::Text, "Procedure", 0)}, "Global",
         "Global", "Global"},
        {"another procedure's settings", {forButtons("Customers", PROP::Text, "Elsewhere")}, "", "&OK", "&Cancel"},
        {"two conditional sets that hold: the later name wins",
         {inSet(forButtons(kGlobal, PROP::Text, "Later"), "B later", {kIsButton}),
          inSet(forButtons(kGlobal, PROP::Text, "Earlier"), "A earlier", {kIsButton})},
         "", "Later", "Later"},
        {"a condition that fails",
         {forButtons(kGlobal, PROP::Text, "Always"),
          inSet(forButtons(kGlobal, PROP::Text, "Strings only"), "Strings", {kIsString})},
         "Always", "Always", "Always"},
        {"a condition on the control's own text",
         {inSet(forButtons(kGlobal, PROP::Text, "Leave"), "Cancels", {{PROP::Text, "CONTAINS", "cancel"}})}, "",
         "&OK", "Leave"},
        {"a type the property file offers nothing for",
         {{.group = restyle::controlTypeGroup(CREATE::button), .controlType = CREATE::string,
           .property = PROP::Text, .value = "Strings'"}},
         "Strings'", "&OK", "&Cancel"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        startAfresh();
        for (const StoredSetting& setting : c.settings) store(setting);
        RestyledWindow w(manager, kProcedure, ordersSpec());
        EXPECT_EQ(w.property("?OK", PROP::Text), c.onOK);
        EXPECT_EQ(w.property("?Cancel", PROP::Text), c.onCancel);
        EXPECT_EQ(w.property("?Name", PROP::Text), "Piet") << "strings are no buttons";
        const Byte found = w.restyle().GetProperty(w.number("?OK"), PROP::Text, 0, 1);
        EXPECT_EQ(found != 0 ? clip(manager.CONTROLPROPERTYGROUP.VALUE.view()) : "", c.read);
    }
}

TEST_F(ZelRestyleClassTest, TheWindowIsStyledAsTheControlCalledWindowAndRegisteredControlsOnly) {
    storeForWindow(PROP::Text, "Styled orders");
    store(forButtons(kGlobal, PROP::FontColor, "255"));
    RestyledWindow w(manager, kProcedure, ordersSpec(), {}, "?Cancel");
    EXPECT_EQ(w.window().property(0, PROP::Text), "Styled orders");
    EXPECT_EQ(w.property("?OK", PROP::FontColor), "255");
    EXPECT_EQ(w.property("?Cancel", PROP::FontColor), "") << "never registered";
}

TEST_F(ZelRestyleClassTest, LimitProcedureStartRefusesLaterStartsAndBringsTheOpenWindowForward) {
    const struct {
        const char* limit;
        std::vector<bool> opens;  // first, second and third start
    } cases[] = {{"1", {true, false, false}}, {"2", {true, true, false}}, {"abc", {true, true, true}},
                 {"-1", {false, false, false}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.limit);
        startAfresh();
        store({.procedure = kProcedure, .group = restyle::controlTypeGroup(CREATE::window),
               .controlType = CREATE::window, .property = -1, .value = c.limit});
        RestyledWindow elsewhere(manager, "Customers", ordersSpec("Customers"));
        std::vector<std::unique_ptr<RestyledWindow>> starts;
        std::vector<bool> opened;
        for (int i = 0; i < 3; ++i) {
            drive::activate(elsewhere.window());
            starts.push_back(std::make_unique<RestyledWindow>(manager, kProcedure, ordersSpec()));
            opened.push_back(!starts.back()->refused());
            if (starts.back()->refused() && !starts.front()->refused()) {
                EXPECT_EQ(starts.front()->window().property(0, PROP::Active), "1") << "start " << i + 1;
            }
        }
        EXPECT_EQ(opened, c.opens);
    }
}

TEST_F(ZelRestyleClassTest, AMaximizedWindowRecordsItsRestoredSizeAtOpen) {
    RestyledWindow w(manager, kProcedure, ordersSpec(), [](Window& window) {
        window.setProperty(0, PROP::Maximize, 1);
    });
    ASSERT_GT(w.window().numberProperty(0, PROP::Width), 200);
    EXPECT_EQ(w.restyle().ORGINALWIDTH, 200);
    EXPECT_EQ(w.restyle().ORGINALHEIGHT, 120);
}

TEST_F(ZelRestyleClassTest, RemovingTheStylingPutsBackWhatItWroteAndLeavesTheProgramsChanges) {
    store(forButtons(kGlobal, PROP::FontColor, "255"));
    store(forOK(PROP::Text, "Restyled"));
    RestyledWindow w(manager, kProcedure, ordersSpec(), [](Window& window) {
        window.setProperty(window.equate("?OK"), PROP::FontColor, 0x800000);
        window.setProperty(window.equate("?Case"), PROP::Disable, 1);
    });
    ASSERT_EQ(w.property("?OK", PROP::FontColor), "255");
    ASSERT_EQ(w.property("?OK", PROP::Text), "Restyled");
    w.onThread([&] {
        w.window().setProperty(w.number("?Case"), PROP::Disable, 0);
        w.window().setProperty(w.number("?Name"), PROP::Text, "12 rows");
    });
    drive::dragCaption(w.window(), 30, 20);
    const Long x = w.window().numberProperty(0, PROP::Xpos), y = w.window().numberProperty(0, PROP::Ypos);

    storeForWindow(-15, "1");
    w.onThread([&] { w.restyle().Restyle(1, 0); });
    EXPECT_EQ(w.property("?OK", PROP::FontColor), "8388608") << "as registered";
    EXPECT_EQ(w.property("?OK", PROP::Text), "&OK");
    EXPECT_EQ(w.property("?Cancel", PROP::FontColor), "-1") << "registered without a colour";
    EXPECT_EQ(w.property("?Case", PROP::Disable), "0") << "the program's own change";
    EXPECT_EQ(w.property("?Name", PROP::Text), "12 rows");
    EXPECT_EQ(w.window().numberProperty(0, PROP::Xpos), x) << "the window stays where it was moved";
    EXPECT_EQ(w.window().numberProperty(0, PROP::Ypos), y);
    EXPECT_EQ(w.restyle().WINDOWRESTYLED, 0);

    storeForWindow(-15, "0");
    w.onThread([&] { w.restyle().Restyle(1, 0); });
    EXPECT_EQ(w.property("?OK", PROP::Text), "Restyled") << "styled again";
}

TEST_F(ZelRestyleClassTest, AWindowMaximizedByItsStylingIsRestoredWithoutItAndOneTheUserMaximizedStays) {
    for (const bool byUser : {false, true}) {
        SCOPED_TRACE(byUser ? "maximized by the user" : "maximized automatically");
        startAfresh();
        if (!byUser) storeForWindow(-12, "1");
        RestyledWindow w(manager, kProcedure, ordersSpec());
        if (byUser) drive::clickMaximizeBox(w.window());
        ASSERT_EQ(w.window().property(0, PROP::Maximize), "1");
        storeForWindow(-15, "1");
        w.onThread([&] { w.restyle().Restyle(1, 0); });
        EXPECT_EQ(w.window().numberProperty(0, PROP::Maximize), byUser ? 1 : 0);
    }
}

TEST_F(ZelRestyleClassTest, ControlPositionAndSizeStaysWhereItPutTheControlOverResizes) {
    store(forOK(-16, positionValue({true, 5, 1}, {true, 40, 0}, {true, 150, 2}, {})));
    RestyledWindow w(manager, kProcedure, ordersSpec());
    const Long ok = w.number("?OK");
    for (int resize = 0; resize <= 3; ++resize) {
        SCOPED_TRACE(resize);
        EXPECT_EQ(w.window().numberProperty(ok, PROP::Xpos), 15) << "shifted by 5";
        EXPECT_EQ(w.window().numberProperty(ok, PROP::Ypos), 40) << "placed";
        EXPECT_EQ(w.window().numberProperty(ok, PROP::Width), 60) << "150 %";
        EXPECT_EQ(w.window().numberProperty(ok, PROP::Height), 14) << "left";
        const int passes = w.restyle().passes;
        drive::resizeBy(w.window(), 20, 10);
        EXPECT_EQ(w.restyle().passes, passes + 1);
    }
}

TEST_F(ZelRestyleClassTest, AStoredExpressionThatFailsLeavesThePropertyAsItWas) {
    const struct {
        const char* expression;
        const char* text;
    } cases[] = {{"?Name{PROP:Text} & ' ok'", "Piet ok"},
                 {"?Unknown{PROP:Text}", "&OK"},
                 {"'unfinished", "&OK"},
                 {"?SELF{Text", "&OK"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expression);
        startAfresh();
        StoredSetting setting = forOK(PROP::Text, c.expression);
        setting.clarionValue = 1;
        store(setting);
        RestyledWindow w(manager, kProcedure, ordersSpec());
        EXPECT_EQ(w.property("?OK", PROP::Text), c.text);
    }
}

TEST_F(ZelRestyleClassTest, ASizeChangeBeforeTheFirstRestyleIsIgnoredAndUnderAModalWindowWaitsForIt) {
    storeForWindow(-15, "1");
    {
        RestyledWindow unstyled(manager, kProcedure, ordersSpec());
        drive::resizeBy(unstyled.window(), 20, 10);
        EXPECT_EQ(unstyled.restyle().passes, 1) << "the one of Open";
    }
    storeForWindow(-15, "0");
    RestyledWindow w(manager, kProcedure, ordersSpec());
    std::unique_ptr<Window> box;
    w.onThread([&] {
        box = std::make_unique<Window>(ordersSpec("Box"));
        box->open();
        w.window().setProperty(0, PROP::Width, 240);
        for (int i = 0; i < 2; ++i) w.window().post({.event = EVENT::Sized});
    });
    const std::size_t taken = w.events.size();
    drive::settle();
    EXPECT_EQ(w.events.size(), taken) << "nothing chases while the box is up";
    EXPECT_EQ(w.restyle().passes, 1);
    w.onThread([&] { box.reset(); });
    EXPECT_EQ(w.restyle().passes, 2) << "one pass, once the box has closed";
}

TEST_F(ZelRestyleClassTest, OpeningMakesTheImageSetsOfTheScopesItReads) {
    const struct {
        const char* name;
        bool ownImages;
        bool disabled;
        bool procedureSet, globalSet;
    } cases[] = {{"the program's images", false, false, true, true},
                 {"images of its own", true, false, true, false},
                 {"styling disabled", false, true, false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        startAfresh();
        if (c.disabled) storeForWindow(-15, "1");
        if (c.ownImages) {
            ZelRestyleClass lookups;
            lookups.Init(kProcedure, manager);
            IMAGEPROPERTYGROUPRecord images{1, 0, 0};
            lookups.SaveGroup(recordRef(images), lookups.GetConditionSetID(0, 0, restyle::kImagesGroup),
                              restyle::imagesProperty("DEFAULT"));
        }
        RestyledWindow w(manager, kProcedure, ordersSpec());
        EXPECT_EQ(w.restyle().ConditionSetExists(0, restyle::kImagesGroup) != 0, c.procedureSet);
        EXPECT_EQ(w.restyle().ConditionSetExists(1, restyle::kImagesGroup) != 0, c.globalSet);
    }
}

TEST_F(ZelRestyleClassTest, AnImageOnAControlIsMadeHiddenFollowsItsControlAndGoesWithTheStyling) {
    std::string value(512, ' ');
    value.replace(0, 9, "stamp.png");
    value[510] = '2';
    value[511] = '3';
    store(forOK(-18, value));
    RestyledWindow w(manager, kProcedure, ordersSpec());
    ASSERT_EQ(w.restyle().IMAGEBUTTONQUEUE.records(), 1u);
    const Long image = w.restyle().IMAGEBUTTONQUEUE.at(1).IMAGEEQUATE;
    EXPECT_EQ(w.window().property(image, PROP::Type), std::to_string(CREATE::image));
    EXPECT_EQ(w.window().property(image, PROP::Text), "stamp.png");
    EXPECT_EQ(w.window().property(image, PROP::Centered), "1");
    EXPECT_EQ(w.window().property(image, PROP::Hide), "0") << "shown with its control";
    EXPECT_EQ(w.window().property(image, PROP::Xpos), w.property("?OK", PROP::Xpos));
    EXPECT_EQ(w.property("?OK", PROP::Flat), "1");

    w.onThread([&] {
        w.window().setProperty(w.number("?OK"), PROP::Hide, 1);
        w.restyle().Restyle(1, 0);
    });
    EXPECT_EQ(w.window().property(image, PROP::Hide), "1");
    EXPECT_EQ(w.restyle().IMAGEBUTTONQUEUE.records(), 1u) << "made once";

    storeForWindow(-15, "1");
    w.onThread([&] {
        w.window().setProperty(w.number("?OK"), PROP::Hide, 0);
        w.restyle().Restyle(1, 0);
    });
    EXPECT_EQ(w.window().property(image, PROP::Hide), "1") << "gone with the styling";
    EXPECT_EQ(w.property("?OK", PROP::Flat), "0") << "as registered";
}

TEST_F(ZelRestyleClassTest, WithoutATitleBarTheWindowsClicksAndFocusAreLeftAloneAndTheHotKeyConfigures) {
    RestyledWindow w(manager, kProcedure, ordersSpec());
    EXPECT_TRUE(w.window().alerted(0, kHotKey));
    // A double click on the client area of a window that alerted it.
    w.window().post({.event = EVENT::AlertKey, .keyCode = KEY::MouseLeft2});
    drive::settle();
    drive::activate(w.window());
    EXPECT_EQ(w.window().property(0, PROP::Maximize), "") << "a double click is no title bar's";
    EXPECT_EQ(w.window().property(0, PROP::Fill), "");

    drive::click(w.window(), "?Case");
    drive::pressKey(w.window(), kHotKey);
    EXPECT_EQ(manager.configured, 1);
    EXPECT_EQ(w.window().focus(), w.number("?Case")) << "the focus comes back";
}

TEST_F(ZelRestyleClassTest, AWindowWhoseThreadEndsLeavesTheStyleManagersList) {
    RestyledWindow w(manager, kProcedure, ordersSpec());
    ASSERT_EQ(manager.RESTYLECLASSLIST.size(), 1u);
    Scheduler::instance().endAllOthers();
    drive::settle();
    EXPECT_TRUE(manager.RESTYLECLASSLIST.empty());
}
