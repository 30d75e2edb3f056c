#include "RestyleFilesFixture.h"

#include "platform/system/Errors.h"
#include "restyle/RestyleRows.h"

using namespace platform;

namespace {

using RestyleDataFilesTest = RestyleFilesFixture;

TEST_F(RestyleDataFilesTest, AGroupHoldsEachSetNameOnceWhateverItsCase) {
    addSet(1, "PIET", "Work", "Main", "ControlType 9", "Red");
    conditionSets.rec.CONDITIONALSET = "RED  ";
    conditionSets.rec.CONDITIONALSETID = 2;
    EXPECT_FALSE(conditionSets.add());
    EXPECT_EQ(ERRORCODE(), kDuplicateKey);
    conditionSets.rec.PROFILE = "work";
    EXPECT_FALSE(conditionSets.add()) << "the whole sort key is NOCASE";
    conditionSets.rec.GROUPNAME = "ControlType 4";
    EXPECT_TRUE(conditionSets.add()) << ERROR();
}

TEST_F(RestyleDataFilesTest, ThePrimaryKeyOfTheSetsStartsAtTheHighestNumber) {
    for (Long id : {3, 10, 7}) addSet(id, "PIET", "Work", "Main", "ControlType " + std::to_string(id), "Red");
    conditionSets.set(conditionSets.P_KEY_ZELCS);
    ASSERT_TRUE(conditionSets.next());
    EXPECT_EQ(conditionSets.rec.CONDITIONALSETID, 10);
}

TEST_F(RestyleDataFilesTest, GroupAndPropertyNamesAreBuiltAsEveryReaderExpects) {
    const std::pair<std::string, std::string> cases[] = {
        {restyle::controlTypeGroup(9), "ControlType 9"},
        {restyle::controlGroup("?CloseButton"), "Control ?CLOSEBUTTON"},
        {restyle::propertyName(-4), "property -4"},
        {restyle::imagesProperty("DEFAULT"), "~DEFAULT:Images"},
        {restyle::imageProperty("DEFAULT", 1), "~DEFAULT:Image 1"},
    };
    for (const auto& [built, expected] : cases) EXPECT_EQ(built, expected);
}

}  // namespace
