#include "RestyleFilesFixture.h"

#include "restyle/RestyleRows.h"

using namespace platform;
using Rows = std::vector<std::string>;

namespace {

class ConditionSetLookupTest : public RestyleFilesFixture {
protected:
    ConditionSetLookupTest() {
        base.PROCEDURENAME = "Main";
        base.REFCHANGEGLOBALPROPERTIES = &changeGlobal;
    }

    // The condition-set rows as "id user/profile/procedure/group/name", by number.
    Rows setRows() {
        Rows rows;
        conditionSets.set(conditionSets.P_KEY_ZELCS);
        while (conditionSets.previous()) {
            const ZELCONDITIONSETFILERecord& r = conditionSets.rec;
            rows.push_back(std::to_string(r.CONDITIONALSETID) + " " + clip(r.USERNAME.view()) + "/" +
                           clip(r.PROFILE.view()) + "/" + clip(r.PROCEDURENAME.view()) + "/" +
                           clip(r.GROUPNAME.view()) + "/" + clip(r.CONDITIONALSET.view()));
        }
        return rows;
    }

    // CONDITIONSETQUEUE as "name=id", in its order.
    Rows queued() {
        Rows rows;
        for (std::size_t i = 1; i <= base.CONDITIONSETQUEUE.records(); ++i) {
            const CONDITIONSETQUEUERecord& r = base.CONDITIONSETQUEUE.at(i);
            rows.push_back(clip(r.CONDITIONALSET.view()) + "=" + std::to_string(r.CONDITIONALSETID));
        }
        return rows;
    }

    Byte changeGlobal = 0;
};

TEST_F(ConditionSetLookupTest, TheFirstSetOfAnEmptyFileIsAnUnconditionalSetNumberedOne) {
    userName = "piet  ";
    currentProfile = "Work  ";
    EXPECT_EQ(base.GetConditionSetID(0, 0, "ControlType 9  "), 1);
    EXPECT_EQ(base.GetConditionSetID(0, 0, "ControlType 9"), 1);
    EXPECT_EQ(base.GetConditionSetID(1, 0, "ControlType 9"), 2);
    EXPECT_EQ(setRows(), (Rows{"1 PIET/Work/Main/ControlType 9/-Unconditional-",
                               "2 PIET/Work/~Global settings/ControlType 9/-Unconditional-"}));
}

TEST_F(ConditionSetLookupTest, AGroupsSetsAreListedInByteOrderAndUnconditionalIsAddedOnlyWhenAsked) {
    addSet(7, "PIET", "Work", "Main", "G", "+First");
    EXPECT_EQ(base.GetConditionSetID(0, 0, "G"), 7) << "the first set by name, whatever it is";
    base.LoadConditionSets(0, 0, 0, "G");
    EXPECT_EQ(queued(), Rows{"+First=7"});
    EXPECT_EQ(setRows().size(), 1u) << "nothing created";

    base.LoadConditionSets(1, 0, 0, "G");
    EXPECT_EQ(queued(), (Rows{"+First=7", "-Unconditional-=8"}));

    addSet(3, "PIET", "Work", "Main", "G", "apple");
    addSet(4, "PIET", "Work", "Main", "G", "Banana");
    base.LoadConditionSets(1, 0, 0, "G");
    EXPECT_EQ(queued(), (Rows{"+First=7", "-Unconditional-=8", "Banana=4", "apple=3"}));
    EXPECT_EQ(setRows().size(), 4u);
}

TEST_F(ConditionSetLookupTest, OnlyTheSoughtUserProfileProcedureAndGroupCountWithCaseSignificant) {
    addSet(1, "JAN", "Work", "Main", "ControlType 9", "Red");
    addSet(2, "PIET", "WORK", "Main", "ControlType 9", "Green");
    addSet(3, "PIET", "Work", "Other", "ControlType 9", "Red");
    addSet(4, "PIET", "Work", "Main", "controltype 9", "Blue");
    addSet(5, "PIET", "Work", "Main", "ControlType 10", "Red");
    EXPECT_EQ(base.ConditionSetExists(0, "ControlType 9"), 0);
    base.LoadConditionSets(0, 0, 0, "ControlType 9");
    EXPECT_EQ(queued(), Rows{});
    EXPECT_EQ(base.GetConditionSetID(0, 0, "ControlType 9"), 6);
    EXPECT_EQ(base.ConditionSetExists(0, "ControlType 9"), 1);
    base.LoadConditionSets(0, 0, 0, "ControlType 9");
    EXPECT_EQ(queued(), Rows{"-Unconditional-=6"});
}

TEST_F(ConditionSetLookupTest, TheScopeIsGlobalByTheSwitchesAndTheStyleManagersChoice) {
    addSet(10, "PIET", "Work", restyle::kGlobalSettings, "G", restyle::kUnconditional);
    addSet(20, "PIET", "Work", "Main", "G", restyle::kUnconditional);
    const struct {
        Byte global, useChangeGlobal, changeGlobal;
        Long found;
    } cases[] = {
        {0, 0, 0, 20}, {1, 0, 0, 10}, {0, 0, 1, 20}, {1, 0, 1, 10},
        {0, 1, 0, 20}, {1, 1, 0, 20}, {0, 1, 1, 10}, {1, 1, 1, 10},
    };
    for (const auto& c : cases) {
        changeGlobal = c.changeGlobal;
        EXPECT_EQ(base.GetConditionSetID(c.global, c.useChangeGlobal, "G"), c.found)
            << int(c.global) << int(c.useChangeGlobal) << int(c.changeGlobal);
    }

    addSet(30, "PIET", "Work", restyle::kGlobalSettings, "OnlyGlobal", restyle::kUnconditional);
    changeGlobal = 1;
    EXPECT_EQ(base.ConditionSetExists(0, "OnlyGlobal"), 0) << "the style manager's switch is not consulted";
    EXPECT_EQ(base.ConditionSetExists(1, "OnlyGlobal"), 1);
    EXPECT_EQ(setRows().size(), 3u);
}

TEST_F(ConditionSetLookupTest, AnUnconditionalSetTheKeyRefusesIsReportedOnceAndNumberedZero) {
    // The sort key ignores case: "blue" may not add what "Blue" has.
    addSet(1, "PIET", "Blue", "Main", "G", restyle::kUnconditional);
    currentProfile = "blue";
    const std::string stop =
        "Het toevoegen van de standaard \"Unconditional\" Conditie Set is mislukt!|Fout:Creates Duplicate Key|";
    Long setId = -1;
    EXPECT_EQ(stopOf([&] { setId = base.GetConditionSetID(0, 0, "G"); }), stop);
    EXPECT_EQ(setId, 0);

    base.CONDITIONSETQUEUE.add();
    EXPECT_EQ(stopOf([&] { base.LoadConditionSets(1, 0, 0, "G"); }), "") << "told once a run";
    EXPECT_EQ(queued(), Rows{});
    EXPECT_EQ(setRows(), Rows{"1 PIET/Blue/Main/G/-Unconditional-"});
}

TEST_F(ConditionSetLookupTest, APropertyIsEnabledByItsEnabledRowOfOne) {
    PROPERTYSETTINGRecord on, off;
    on.ENABLED = 1;
    base.SaveGroup(recordRef(off), 5, "property 4");
    base.SaveGroup(recordRef(on), 5, "property 5");
    base.SaveGroup(recordRef(off), 6, "property 1");
    base.SaveGroup(recordRef(on), 7, "property 1");
    const struct {
        Long setId;
        const char* property;
        Byte enabled;
    } cases[] = {
        {5, "property 4", 0}, {5, "property 5", 1}, {5, "property 5  ", 1}, {5, "property 6", 0},
        {5, "", 1},           {6, "", 0},           {6, "property 1", 0},   {7, "", 1},
        {4, "", 0},           {8, "", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(base.IsPropertyEnabled(c.setId, c.property), c.enabled) << c.setId << " '" << c.property << "'";
}

}  // namespace
