#include "platform/abc/TranslatorClass.h"
#include "stylemanager/CatalogueTables.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace platform;

namespace {

class CatalogueTablesTest : public ::testing::Test {
protected:
    void SetUp() override {
        translator.Init();
        translator.AddTranslation("Window roundness", "Vensterafronding");
        fillPropertyCatalogue(catalogue, translator);
        fillControlTypes(controlTypes);
    }
    // The row a lookup by number gives; its description, "" when none.
    std::string byNumber(Long number) {
        catalogue.rec.PROPERTYEQUATE = number;
        return catalogue.get({{"PROPERTYEQUATE"}}) ? catalogue.rec.PROPERTYDESCRIPTION.str() : "";
    }
    // The number a lookup by name gives; 0 when none.
    Long byName(std::string_view name) {
        catalogue.rec.PROPERTY = name;
        return catalogue.get({{"PROPERTY"}}) ? catalogue.rec.PROPERTYEQUATE : 0;
    }

    TranslatorClass translator;
    PropertyCatalogue catalogue;
    ControlTypeList controlTypes;
};

TEST_F(CatalogueTablesTest, TheCatalogueHoldsTheEnginesAndThePlatformsPropertiesInDescriptionOrder) {
    ASSERT_EQ(catalogue.records(), 120u);
    EXPECT_EQ(catalogue.at(1).PROPERTYDESCRIPTION.str(), "Above");
    for (std::size_t i = 2; i <= catalogue.records(); ++i)
        EXPECT_LE(catalogue.at(i - 1).PROPERTYDESCRIPTION.str(), catalogue.at(i).PROPERTYDESCRIPTION.str()) << i;
    std::size_t custom = 0;
    for (std::size_t i = 1; i <= catalogue.records(); ++i) custom += catalogue.at(i).CUSTOMPROPERTY;
    EXPECT_EQ(custom, 16u);
}

TEST_F(CatalogueTablesTest, RowsAreFoundByNumberAsTheFirstInDescriptionOrderAndByTheirName) {
    const struct {
        Long number;
        const char* description;
    } byNumbers[] = {{0x7C06, "Below"},      {0x7CFA, "Background"}, {0x7C10, "Font"},
                     {0x0010, "TipsFont"},   {0x0014, "StatusFont"}, {-6, "Vensterafronding"},
                     {-2, ""},               {-3, ""}};
    for (const auto& c : byNumbers) EXPECT_EQ(byNumber(c.number), c.description) << c.number;

    const struct {
        const char* name;
        Long number;
    } byNames[] = {{"TEXT", 0x7C00},
                   {"READ-ONLY", 0x7C7B},
                   {"SYSTEM", 0x7C84},
                   {"Vensterafronding", -6},
                   {"VENSTERAFRONDING", 0},  // the engine's own keep their case
                   {"Window roundness", 0},  // and are known by their translation
                   {"Text", 0}};
    for (const auto& c : byNames) EXPECT_EQ(byName(c.name), c.number) << c.name;
}

TEST_F(CatalogueTablesTest, EachRowCarriesItsNameDescriptionNumberAndEditor) {
    const struct {
        const char* property;
        const char* description;
        Long number;
        Byte type;
        Byte custom;
    } rows[] = {
        {"Vensterafronding", "Vensterafronding", -6, 2, 1},
        {"Mark selected control", "Mark selected control", -5, 8, 1},
        {"Fade windows in and out", "Fade windows in and out", -4, 15, 1},
        {"Limit procedure start", "Limit procedure start", -1, 2, 1},
        {"READ-ONLY", "Read-only", 0x7C7B, 1, 0},
        {"CENTEROFFSET", "CenterOffSet", 0x7C07, 0, 0},
        {"SYSTEM",
         "Specifies the presence of a Windows system menu (also called the control menu) on the APPLICATION or "
         "WINDOW",
         0x7C84, 0, 0},
        {"UPR", "Specifies automatic UPPER case of text entered into ENTRY or TEXT controls", 0x7C89, 1, 0},
        {"WALLPAPER", "WallPaper", 0x7A15, 6, 0},
        {"SELECTEDFILLCOLOR", "SelectedFillColor", 0x7CFC, 5, 0},
        {"BEVELINNER", "BevelInner", 0x7CE5, 2, 0},
        {"SNAPHEIGHT", "SnapHeight", 0x7D0D, 0, 0},
    };
    for (const auto& r : rows) {
        catalogue.rec.PROPERTYDESCRIPTION = r.description;
        ASSERT_TRUE(catalogue.get({{"PROPERTYDESCRIPTION"}})) << r.description;
        const CatalogueRecord& row = catalogue.rec;
        EXPECT_EQ(row.PROPERTY.str(), r.property);
        EXPECT_EQ(row.PROPERTYEQUATE, r.number) << r.property;
        EXPECT_EQ(row.TYPE, r.type) << r.property;
        EXPECT_EQ(row.CUSTOMPROPERTY, r.custom) << r.property;
        EXPECT_EQ(row.MARK, 0) << r.property;
    }
}

TEST_F(CatalogueTablesTest, TheControlTypesAreUpperCaseUntranslatedAndInNameOrder) {
    ASSERT_EQ(controlTypes.records(), 40u);
    std::vector<std::string> names;
    for (std::size_t i = 1; i <= controlTypes.records(); ++i) names.push_back(controlTypes.at(i).CONTROLTYPE.str());
    EXPECT_EQ(std::vector<std::string>(names.begin(), names.begin() + 4),
              (std::vector<std::string>{"APPLICATION", "BOX", "BREAK", "BUTTON"}));
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
    const auto messageBoxes = std::find(names.begin(), names.end(), "MESSAGE BOXES");
    ASSERT_NE(messageBoxes, names.end());
    EXPECT_EQ(*(messageBoxes - 1), "MENUBAR");
    EXPECT_EQ(*(messageBoxes + 1), "OLE");

    const struct {
        const char* name;
        Long number;
    } numbers[] = {{"MESSAGE BOXES", -1}, {"SSTRING", 1}, {"SUBLIST", 270}, {"TOOLBAR", 128}, {"PANEL", 39},
                   {"SHEET", 37}};
    for (const auto& n : numbers) {
        controlTypes.rec.CONTROLTYPE = n.name;
        ASSERT_TRUE(controlTypes.get({{"CONTROLTYPE"}})) << n.name;
        EXPECT_EQ(controlTypes.rec.CONTROLTYPEEQUATE, n.number) << n.name;
    }
    for (Long missing : {23, 36}) {
        controlTypes.rec.CONTROLTYPEEQUATE = missing;
        EXPECT_FALSE(controlTypes.get({{"CONTROLTYPEEQUATE"}})) << missing;
    }
}

}  // namespace
