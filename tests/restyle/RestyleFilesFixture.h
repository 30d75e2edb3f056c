// The condition-set, condition and restyle files made empty in a folder of
// the test's own, opened, and bound to a restyle base object with a user and
// a current profile, as the style manager binds them.
#pragma once

#include "restyle/ZelConditionFile.h"
#include "restyle/ZelConditionSetFile.h"
#include "restyle/ZelRestyleBaseClass.h"
#include "restyle/ZelRestyleFile.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

class RestyleFilesFixture : public ::testing::Test {
protected:
    RestyleFilesFixture();
    void TearDown() override;

    // Binds the files, the user and the profile to a restyle object.
    void bind(ZelRestyleBaseClass& object);
    // Runs `work` on a thread of its own, as program code runs, and returns
    // the text of the STOP it showed ("" for none), answered with "&Go on"
    // once `whileStopped` has looked at the files.
    std::string stopOf(const std::function<void()>& work, const std::function<void()>& whileStopped = {});

    // Adds a condition set.
    void addSet(platform::Long id, std::string_view user, std::string_view profile, std::string_view procedure,
                std::string_view group, std::string_view name);
    void addCondition(platform::Long setId, platform::Long conditionalId, platform::Long propertyEquate = 0,
                      std::string_view op = "=", std::string_view value = {}, platform::Byte manualValue = 0,
                      std::string_view control = {});
    // The restyle rows as "set property/parameter=value", in key order.
    std::vector<std::string> restyleRows();
    std::vector<platform::Long> setIds();

    TempFolder folder;
    ZelConditionSetFile conditionSets{folder.file("ZelConditionalSet")};
    ZelConditionFile conditions{folder.file("ZelConditional")};
    ZelRestyleFile restyle{folder.file("ZelRestyle")};
    platform::String<255> userName{"Piet"};
    platform::CString<256> currentProfile{"Work"};
    ZelRestyleBaseClass base;
};
