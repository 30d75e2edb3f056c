#include "support/TempFolder.h"

#include "platform/drive/Driver.h"
#include "platform/fiber/Scheduler.h"
#include "platform/message/Locale.h"
#include "platform/ui/ThreadEvents.h"
#include "platform/ui/Window.h"
#include "restyle/ZelConditionFile.h"
#include "restyle/ZelConditionSetFile.h"
#include "restyle/ZelPropertiesFile.h"
#include "restyle/ZelRestyleClass.h"
#include "restyle/ZelRestyleFile.h"
#include "stylemanager/RestyleDataFiles.h"
#include "stylemanager/ZelStylemanagerClass.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace platform;
namespace fs = std::filesystem;

namespace {

// A style manager set up over four files of a folder of its own, as the
// program body binds and sets it up.
class ZelStylemanagerClassTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous = fs::current_path();
        fs::current_path(folder.path());
        manager.Init();
        manager.SetUserName(userName);
        bindRestyleDataFiles(manager, {properties, sets, conditions, values});
        manager.Setup(0x653);
    }
    void TearDown() override {
        manager.Kill();
        resetLocale();
        fs::current_path(previous);
    }
    void addCondition(Long setId, Long id, std::string_view control, Long property, std::string_view comparison,
                      std::string_view value) {
        conditions.rec = {};
        conditions.rec.CONDITIONALSETID = setId;
        conditions.rec.CONDITIONALID = id;
        conditions.rec.CONTROL = control;
        conditions.rec.PROPERTYEQUATE = property;
        conditions.rec.OPERATOR = comparison;
        conditions.rec.VALUE = value;
        ASSERT_TRUE(conditions.add());
    }
    std::vector<std::string> conditionTexts() {
        std::vector<std::string> texts;
        for (std::size_t i = 1; i <= manager.CONDITIONQUEUE.records(); ++i) {
            const CONDITIONQUEUERecord& row = manager.CONDITIONQUEUE.at(i);
            texts.push_back(std::to_string(row.CONDITIONALID) + " [" + clip(row.PROPERTY.view()) + "] " +
                            clip(row.CONDITION.view()));
        }
        return texts;
    }

    TempFolder folder;
    fs::path previous;
    ZelPropertiesFile properties;
    ZelConditionSetFile sets;
    ZelConditionFile conditions;
    ZelRestyleFile values;
    String<255> userName{"DEFAULT"};
    ZelStylemanagerClass manager;
};

TEST_F(ZelStylemanagerClassTest, ASetsConditionsAreListedWithTheirDisplayTexts) {
    addCondition(4, 1, "?Other", PROP::Text, "=", "'no'");
    addCondition(5, 1, "?Name", PROP::Text, "=", "'Piet'");
    addCondition(5, 2, "", 0, "AND", "");
    addCondition(5, 3, "?List", 0x1234, "<>", "3");  // no property of the catalogue
    addCondition(5, 4, "", 0, "OR", "");
    addCondition(5, 5, "?Box", PROP::Center, ">", "1");
    addCondition(6, 1, "?Other", PROP::Text, "=", "'no'");
    manager.LoadConditionQueue(5);
    EXPECT_EQ(conditionTexts(), (std::vector<std::string>{"1 [TEXT] ?Name{Prop:TEXT} = 'Piet'", "2 [] AND",
                                                          "3 [] ?List{Prop:} <> 3", "4 [] OR",
                                                          "5 [BELOW] ?Box{Prop:BELOW} > 1"}));
    manager.LoadConditionQueue(7);
    EXPECT_EQ(manager.CONDITIONQUEUE.records(), 0u);
}

TEST_F(ZelStylemanagerClassTest, RestyleObjectsRegisterAndTheFirstRowOfAnObjectLeaves) {
    Window frame({.type = CREATE::application});
    ZelRestyleClass first, second, application;
    application.PROCEDUREWINDOW = &frame;
    application.PROCEDUREHANDLE = 77;
    for (ZelRestyleClass* object : {&first, &second, &first}) manager.AddRestyleClass(*object);
    EXPECT_EQ(manager.APPLICATIONWINDOW, nullptr);
    manager.AddRestyleClass(application);
    EXPECT_EQ(manager.APPLICATIONWINDOW, &frame);
    EXPECT_EQ(manager.APPLICATIONHANDLE, 77);

    manager.DeleteRestyleClass(first);
    EXPECT_EQ(manager.RESTYLECLASSLIST, (std::vector<ZelRestyleClass*>{&second, &first, &application}));
}

TEST_F(ZelStylemanagerClassTest, TheTreeMenuIsNotifiedOnItsThread) {
    bool done = false;
    const int treeMenu = START([&] { Scheduler::instance().waitUntil([&] { return done; }); });
    drive::settle();
    manager.NotifyMenuTree(3);  // no tree menu runs
    manager.MENUTREETHREAD = static_cast<Byte>(treeMenu);
    manager.NotifyMenuTree(2);
    EXPECT_TRUE(threadEvents::queued(treeMenu, 0, 0x504));
    EXPECT_FALSE(threadEvents::queued(treeMenu, 0, 0x505));
    done = true;
    drive::settle();
}

TEST_F(ZelStylemanagerClassTest, KillClosesTheFilesAndInitStartsAfresh) {
    ZelRestyleClass object;
    manager.USEFADING = 0;
    manager.CURRENTPROFILE = "Blue";
    manager.AddRestyleClass(object);
    manager.Kill();
    for (KeyedFile* file : std::initializer_list<KeyedFile*>{&properties, &sets, &conditions, &values})
        EXPECT_FALSE(file->opened()) << file->name();

    manager.Init();
    EXPECT_EQ(manager.CLARIONCONTROLPROPERTIESQUEUE.records(), 0u);
    EXPECT_EQ(manager.CONTROLTYPESQUEUE.records(), 0u);
    EXPECT_TRUE(manager.RESTYLECLASSLIST.empty());
    EXPECT_EQ(manager.PROPERTYFILE, nullptr);
    EXPECT_EQ(manager.RESTYLEFILE, nullptr);
    EXPECT_EQ(manager.CURRENTPROFILE.str(), "");
    EXPECT_EQ(manager.REFCURRENTPROFILE.text(), "");
    EXPECT_EQ(manager.USEFADING, 0);
    EXPECT_EQ(manager.REFCHANGEGLOBALPROPERTIES, &manager.CHANGEGLOBALPROPERTIES);
}

}  // namespace
