#include "RestyleFilesFixture.h"

#include "platform/files/FileTransaction.h"
#include "platform/system/Errors.h"
#include "restyle/RestyleRows.h"
#include "restyle/UnavailableFiles.h"

#include <QApplication>

using namespace platform;
using Rows = std::vector<std::string>;

namespace {

PROPERTYSETTINGRecord setting(Byte enabled, std::string_view value, Byte clarionValue = 0) {
    PROPERTYSETTINGRecord record;
    record.ENABLED = enabled;
    record.VALUE = value;
    record.CLARIONVALUE = clarionValue;
    return record;
}

// A record whose second field has a name longer than a parameter may be.
#define LONGNAMED_FIELDS(X)    \
    X(platform::Byte, ENABLED) \
    X(platform::Byte, A_FIELD_NAME_FAR_TOO_LONG_TO_BE_STORED_AS_THE_PARAMETER_OF_A_RESTYLE_ROW)
struct LONGNAMEDRecord {
    TABLOOM_RECORD(LONGNAMEDRecord, "", LONGNAMED_FIELDS)
};

using ZelRestyleBaseClassTest = RestyleFilesFixture;

TEST_F(ZelRestyleBaseClassTest, ARecordIsStoredAsARowPerFieldAndSavedAgainInPlace) {
    PROPERTYSETTINGRecord record = setting(1, "Arial,10", 0);
    base.SaveGroup(recordRef(record), 5, "property 31744");
    record = setting(0, "Courier", 1);
    base.SaveGroup(recordRef(record), 5, "property 31744   ");
    EXPECT_EQ(restyleRows(), (Rows{"5 property 31744/CLARIONVALUE=1", "5 property 31744/ENABLED=0",
                                   "5 property 31744/VALUE=Courier"}));

    PROPERTYSETTINGRecord loaded = setting(7, "old", 7);
    EXPECT_EQ(base.LoadGroup(recordRef(loaded), 5, "property 31744"), 1);
    EXPECT_EQ(loaded.ENABLED, 0);
    EXPECT_EQ(clip(loaded.VALUE.view()), "Courier");
    EXPECT_EQ(loaded.CLARIONVALUE, 1);

    base.DeleteGroup(recordRef(loaded), 5, "property 31744");
    EXPECT_EQ(restyleRows(), Rows{});
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the wait cursor is gone again";
}

TEST_F(ZelRestyleBaseClassTest, ALoadStopsAtTheFirstMissingFieldWithTheFieldsBeforeItLoaded) {
    PROPERTYSETTINGRecord record = setting(1, "red");
    base.SaveGroup(recordRef(record), 5, "property 4");
    restyle.rec.CONDITIONALSETID = 5;
    restyle.rec.PROPERTY = "property 4";
    restyle.rec.PARAMETER = "CLARIONVALUE";
    ASSERT_TRUE(restyle.get(restyle.P_KEY_ZELRF));
    ASSERT_TRUE(restyle.remove());

    PROPERTYSETTINGRecord loaded = setting(0, "", 9);
    EXPECT_EQ(base.LoadGroup(recordRef(loaded), 5, "property 4"), 0);
    EXPECT_EQ(loaded.ENABLED, 1);
    EXPECT_EQ(clip(loaded.VALUE.view()), "red");
    EXPECT_EQ(loaded.CLARIONVALUE, 9);
    EXPECT_EQ(base.LoadGroup(recordRef(loaded), 6, "property 4"), 0);
}

TEST_F(ZelRestyleBaseClassTest, QueuesAreStoredFromAndLoadedIntoTheirBuffer) {
    Queue<PROPERTYSETTINGRecord> queue;
    queue.rec = setting(1, "queued", 1);
    base.SaveQueue(queue, 3, "~DEFAULT:Image 1");
    queue.clear();
    EXPECT_EQ(base.LoadQueue(queue, 3, "~DEFAULT:Image 1"), 1);
    EXPECT_EQ(clip(queue.rec.VALUE.view()), "queued");
    base.DeleteQueue(queue, 3, "~DEFAULT:Image 1");
    EXPECT_EQ(base.LoadQueue(queue, 3, "~DEFAULT:Image 1"), 0);
}

TEST_F(ZelRestyleBaseClassTest, SettingsTakeTheirArgumentsInTheirOwnOrder) {
    base.SaveSetting("12", restyle::kFadingSet, "VALUE", restyle::kUseFading);
    base.SaveSetting("13", restyle::kFadingSet, "VALUE", restyle::kUseFading);
    EXPECT_EQ(restyleRows(), Rows{"-7 ~Use Fading/VALUE=13"});
    Long fading = 0;
    EXPECT_EQ(base.LoadSetting(fading, restyle::kFadingSet, restyle::kUseFading, "VALUE"), 1);
    EXPECT_EQ(fading, 13);
    EXPECT_EQ(base.LoadSetting(fading, restyle::kFadingSet, restyle::kUseFading, "ENABLED"), 0);
    EXPECT_EQ(fading, 13);
}

TEST_F(ZelRestyleBaseClassTest, AWriteRefusedStopsOnceWithTheOperationsTextAndGoingOnChangesNothing) {
    PROPERTYSETTINGRecord record = setting(1, "kept");
    base.SaveGroup(recordRef(record), 5, "property 1");
    restyle.close();
    ASSERT_TRUE(restyle.open(kReadOnly));
    const std::string tail =
        "): Restyle gegevens kunnen niet in file " + folder.file("ZelRestyle") + " opgeslagen worden! Access Denied";
    Queue<PROPERTYSETTINGRecord> queue;
    queue.rec = setting(0, "new");
    const struct {
        const char* operation;
        std::function<void()> save;
    } cases[] = {
        {"SaveSetting", [&] { base.SaveSetting("new", 5, "VALUE", "property 1"); }},
        {"SaveGroup", [&] {
             PROPERTYSETTINGRecord changed = setting(0, "new");
             base.SaveGroup(recordRef(changed), 5, "property 1");
         }},
        {"SaveQueue", [&] { base.SaveQueue(queue, 5, "property 1"); }},
    };
    for (const auto& c : cases) {
        restyle::forgetUnavailableFiles();  // each the run's first failure
        EXPECT_EQ(stopOf(c.save), std::string("ZelRestyleBaseClass(") + c.operation + tail);
        EXPECT_EQ(restyleRows(),
                  (Rows{"5 property 1/CLARIONVALUE=0", "5 property 1/ENABLED=1", "5 property 1/VALUE=kept"}));
        for (const auto& again : cases) EXPECT_EQ(stopOf(again.save), "") << c.operation << " told it for the run";
    }
}

TEST_F(ZelRestyleBaseClassTest, ARecordIsWrittenWhollyOrNotAtAll) {
    for (const bool inTransaction : {false, true}) {
        SCOPED_TRACE(inTransaction ? "inside a LOGOUT" : "on its own");
        LONGNAMEDRecord record;
        record.ENABLED = 1;
        base.SaveSetting("0", 8, "ENABLED", "property 2");
        restyle.setProperty(PROP_Logout, "1");
        if (inTransaction) {
            ASSERT_TRUE(LOGOUT(1));
        }
        base.SaveSetting("5", 8, "ENABLED", "property 3");
        const std::string text = stopOf([&] { base.SaveGroup(recordRef(record), 8, "property 2"); },
                                        [&] { EXPECT_EQ(restyleRows().front(), "8 property 2/ENABLED=0"); });
        EXPECT_EQ(text.rfind("ZelRestyleBaseClass(SaveGroup): Restyle gegevens kunnen niet in file ", 0), 0) << text;
        if (inTransaction) {
            ASSERT_TRUE(COMMIT());
        }
        EXPECT_EQ(restyleRows(), (Rows{"8 property 2/ENABLED=0", "8 property 3/ENABLED=5"}))
            << "the first row as it was; what the transaction wrote before stays";
        base.DeleteGroup(recordRef(record), 8, "property 3");
    }
}

TEST_F(ZelRestyleBaseClassTest, KeysAreNeverCut) {
    // Long profiles made every image property the same 64 characters.
    const std::string profile(60, 'p');
    Queue<PROPERTYSETTINGRecord> image;
    image.rec = setting(1, "one.jpg");
    for (Long i : {1, 2}) {
        const std::string text = stopOf([&] { base.SaveQueue(image, 3, restyle::imageProperty(profile, i)); });
        EXPECT_NE(text.find("SaveQueue"), std::string::npos);
        EXPECT_NE(text.find("Key Value Too Long"), std::string::npos) << text;
    }
    EXPECT_EQ(stopOf([&] { base.SaveSetting("1", 3, "ENABLED", restyle::imagesProperty(profile)); }).empty(), false);
    EXPECT_EQ(stopOf([&] { base.SaveSetting("1", 3, std::string(65, 'P'), "property 1"); }).empty(), false);
    EXPECT_EQ(restyleRows(), Rows{});

    // A property that fits exactly is stored; one character more cuts nothing.
    const std::string fits(64, 'f');
    base.SaveQueue(image, 3, fits);
    EXPECT_EQ(base.LoadQueue(image, 3, fits + "f"), 0);
    EXPECT_EQ(base.LoadSetting(image.rec.VALUE, 3, fits + "f", "VALUE"), 0);
    base.DeleteQueue(image, 3, fits + "f");
    EXPECT_EQ(restyleRows().size(), 3u);
}

TEST_F(ZelRestyleBaseClassTest, GroupsAreEqualByNameWithoutCaseAndByValueWithCase) {
    PROPERTYSETTINGRecord a = setting(1, "Red  ", 0);
    PROPERTYSETTINGRecord b = setting(1, "Red", 0);
    LONGNAMEDRecord shorter;
    shorter.ENABLED = 1;
    // The same fields under other-cased names.
    const FieldTable lowerNames{"", {field("enabled", &PROPERTYSETTINGRecord::ENABLED),
                                     field("value", &PROPERTYSETTINGRecord::VALUE),
                                     field("clarionvalue", &PROPERTYSETTINGRecord::CLARIONVALUE)}};
    PROPERTYSETTINGRecord c = setting(1, "red", 0);
    PROPERTYSETTINGRecord d = setting(2, "Red", 0);
    const struct {
        const char* what;
        RecordRef left, right;
        Long first;
        Byte equal;
    } cases[] = {
        {"trailing blanks", recordRef(a), recordRef(b), 1, 1},
        {"names in another case", recordRef(a), {&lowerNames, &b}, 1, 1},
        {"values in another case", recordRef(a), recordRef(c), 1, 0},
        {"a first field that differs", recordRef(b), recordRef(d), 1, 0},
        {"from the second field on", recordRef(b), recordRef(d), 2, 1},
        {"other names", recordRef(b), recordRef(shorter), 1, 0},
    };
    for (const auto& cs : cases) EXPECT_EQ(base.GroupsEqual(cs.left, cs.right, cs.first), cs.equal) << cs.what;
}

TEST_F(ZelRestyleBaseClassTest, StripLabelPrefixDropsOneLeadingQuestionMark) {
    const std::pair<const char*, const char*> cases[] = {{"?", ""}, {"Name", "Name"}, {"?CloseButton", "CloseButton"},
                                                         {"??X", "?X"}, {"", ""}};
    for (const auto& [label, stripped] : cases) EXPECT_EQ(base.StripLabelPrefix(label), stripped) << label;
}

TEST_F(ZelRestyleBaseClassTest, PurgeRemovesDisabledSettingsAndEmptySetsOfTheCurrentUserAndProfileOnly) {
    const std::string marker = std::string(restyle::kNewAccountAdded) + "1 januari 2026 10:00:00";
    addSet(1, "PIET", "Work", "Main", "ControlType 9", restyle::kUnconditional);  // every value disabled
    addSet(2, "PIET", "Work", "Main", "ControlType 9", "Red");                    // a condition only
    addSet(3, "PIET", "Work", "Main", "Control ?OK", restyle::kUnconditional);    // a value on, one off
    addSet(4, "PIET", "Work", restyle::kGlobalSettings, marker, marker);         // the new profile's marker
    addSet(5, "PIET", "Work", "Main", "ControlType 12", restyle::kUnconditional); // empty
    addSet(6, "PIET", "Other", "Main", "ControlType 9", restyle::kUnconditional); // another profile
    addSet(7, "JAN", "Work", "Main", "ControlType 9", restyle::kUnconditional);   // another user
    addSet(8, "PIET", "WORK", "Main", "ControlType 7", restyle::kUnconditional);  // a profile differing in case
    PROPERTYSETTINGRecord off = setting(0, "x"), on = setting(1, "y");
    base.SaveGroup(recordRef(off), 1, "property 31744");
    base.SaveGroup(recordRef(off), 1, "property -4");
    addCondition(2, 1);
    base.SaveGroup(recordRef(off), 3, "property 4");
    base.SaveGroup(recordRef(on), 3, "property 5");
    base.SaveGroup(recordRef(off), 6, "property 4");

    base.PurgeConditionSets();

    EXPECT_EQ(setIds(), (std::vector<Long>{2, 3, 4, 6, 7, 8}));
    EXPECT_EQ(restyleRows(), (Rows{"3 property 5/CLARIONVALUE=0", "3 property 5/ENABLED=1", "3 property 5/VALUE=y",
                                   "6 property 4/CLARIONVALUE=0", "6 property 4/ENABLED=0", "6 property 4/VALUE=x"}));
    EXPECT_EQ(conditions.records(), 1);
}

}  // namespace
