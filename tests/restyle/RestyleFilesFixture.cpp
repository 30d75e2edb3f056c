#include "RestyleFilesFixture.h"

#include "platform/drive/Driver.h"
#include "platform/fiber/Scheduler.h"
#include "restyle/UnavailableFiles.h"
#include "platform/files/FileTransaction.h"
#include "platform/system/Errors.h"

using platform::clip;
using platform::Long;

// Each test is a run of its own: no file is unavailable at its start.
RestyleFilesFixture::RestyleFilesFixture() {
    restyle::forgetUnavailableFiles();
    for (platform::KeyedFile* file : std::initializer_list<platform::KeyedFile*>{&conditionSets, &conditions, &restyle}) {
        EXPECT_TRUE(file->create()) << platform::ERROR();
        EXPECT_TRUE(file->open()) << platform::ERROR();
    }
    bind(base);
}

void RestyleFilesFixture::bind(ZelRestyleBaseClass& object) {
    object.SetUserName(userName);
    object.REFCURRENTPROFILE = currentProfile;
    ZelConditionSetFile& s = conditionSets;
    object.SetConditionSetFile(s, s.P_KEY_ZELCS, s.S_KEY_ZELCS, s.rec.USERNAME, s.rec.PROFILE, s.rec.PROCEDURENAME,
                               s.rec.GROUPNAME, s.rec.CONDITIONALSET, s.rec.CONDITIONALSETID);
    ZelConditionFile& c = conditions;
    object.SetConditionFile(c, c.P_KEY_ZELCD, c.rec.CONDITIONALSETID, c.rec.CONDITIONALID, c.rec.CONTROL,
                            c.rec.PROPERTYEQUATE, c.rec.OPERATOR, c.rec.VALUE, c.rec.MANUALVALUE);
    object.SetRestyleFile(restyle, restyle.P_KEY_ZELRF, restyle.rec.CONDITIONALSETID, restyle.rec.PROPERTY,
                          restyle.rec.PARAMETER, restyle.rec.VALUE);
}

std::string RestyleFilesFixture::stopOf(const std::function<void()>& work,
                                        const std::function<void()>& whileStopped) {
    bool done = false;
    platform::START([&] {
        work();
        done = true;
    });
    platform::drive::settle();
    const std::string text = platform::drive::messageText();
    if (!text.empty()) {
        if (whileStopped) whileStopped();
        EXPECT_TRUE(platform::drive::answerMessage("&Go on"));
        platform::drive::settle();
    }
    EXPECT_TRUE(done) << "the work goes on after \"&Go on\"";
    return text;
}

void RestyleFilesFixture::TearDown() {
    if (platform::FileTransaction::instance().active()) platform::COMMIT();
    restyle::forgetUnavailableFiles();
}

void RestyleFilesFixture::addSet(Long id, std::string_view user, std::string_view profile,
                                 std::string_view procedure, std::string_view group, std::string_view name) {
    conditionSets.rec = {};
    conditionSets.rec.USERNAME = user;
    conditionSets.rec.PROFILE = profile;
    conditionSets.rec.PROCEDURENAME = procedure;
    conditionSets.rec.GROUPNAME = group;
    conditionSets.rec.CONDITIONALSET = name;
    conditionSets.rec.CONDITIONALSETID = id;
    EXPECT_TRUE(conditionSets.add()) << name << platform::ERROR();
}

void RestyleFilesFixture::addCondition(Long setId, Long conditionalId, Long propertyEquate, std::string_view op,
                                       std::string_view value, platform::Byte manualValue, std::string_view control) {
    conditions.rec = {};
    conditions.rec.CONDITIONALSETID = setId;
    conditions.rec.CONDITIONALID = conditionalId;
    conditions.rec.PROPERTYEQUATE = propertyEquate;
    conditions.rec.OPERATOR = op;
    conditions.rec.VALUE = value;
    conditions.rec.MANUALVALUE = manualValue;
    conditions.rec.CONTROL = control;
    EXPECT_TRUE(conditions.add()) << platform::ERROR();
}

std::vector<std::string> RestyleFilesFixture::restyleRows() {
    std::vector<std::string> rows;
    restyle.set(restyle.P_KEY_ZELRF);
    while (restyle.next())
        rows.push_back(std::to_string(restyle.rec.CONDITIONALSETID) + " " + clip(restyle.rec.PROPERTY.view()) + "/" +
                       clip(restyle.rec.PARAMETER.view()) + "=" + clip(restyle.rec.VALUE.view()));
    return rows;
}

std::vector<Long> RestyleFilesFixture::setIds() {
    std::vector<Long> ids;
    conditionSets.set(conditionSets.P_KEY_ZELCS);
    while (conditionSets.previous()) ids.push_back(conditionSets.rec.CONDITIONALSETID);
    return ids;
}
