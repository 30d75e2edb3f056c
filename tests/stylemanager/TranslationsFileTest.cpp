// "ZelRestyle.trn": read by the style manager as it starts, written at the
// end of a run that found none.
#include "programsupport/ProgramFixture.h"
#include "support/TempFolder.h"
#include "support/Unprivileged.h"

#include "app/main/Globals.h"
#include "stylemanager/ZelStylemanagerClass.h"

#include <filesystem>
#include <map>

using namespace platform;
namespace fs = std::filesystem;

namespace {

using Pairs = std::map<std::string, std::string>;

std::string pair(std::string_view text) { return "           PSTRING('" + std::string(text) + "')"; }

std::string fileOf(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    return bytes;
}

// A style manager started in a folder of its own.
class LoadTranslationsTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous = fs::current_path();
        fs::current_path(folder.path());
    }
    void TearDown() override {
        manager.Kill();
        fs::current_path(previous);
    }

    TempFolder folder;
    fs::path previous;
    ZelStylemanagerClass manager;
};

TEST_F(LoadTranslationsTest, PairsAreReadFromCharacter21UpToTheClosingQuote) {
    const std::string longText(600, 'x');
    const struct {
        const char* name;
        std::vector<std::string> lines;
        Pairs pairs;
    } cases[] = {
        {"filled in and left empty",
         {"ZelResty GROUP", "Items      USHORT(3)", pair("Save"), pair("Opslaan"), pair("Cancel"), pair(""),
          pair("Don't"), pair("Niet doen"), "   END"},
         {{"Save", "Opslaan"}, {"Don't", "Niet doen"}}},
        {"blanks inside the quotes", {pair("Save  "), pair("  Opslaan  ")}, {{"Save", "  Opslaan"}}},
        {"a translation line read whatever its first character",
         {pair("Save"), "xxxxxxxxxxxxxxxxxxxxOpslaan')"},
         {{"Save", "Opslaan"}}},
        {"a text without its translation at the end", {pair("Save"), pair("Opslaan"), pair("Open")},
         {{"Save", "Opslaan"}}},
        {"texts cut at 512", {pair(longText), pair(longText)},
         {{std::string(512, 'x'), std::string(512, 'x')}}},
        {"a short line gives what lies from character 21",
         {pair("Save"), std::string(20, ' ') + "O", pair("Open"), std::string(20, ' ')},
         {{"Save", "O"}}},
        {"an empty text is never translated", {pair(""), pair("Leeg")}, {}},
    };
    for (const auto& c : cases) {
        writeBytes("ZelRestyle.trn", fileOf(c.lines));
        manager.Init();
        EXPECT_EQ(manager.TRANSLATOR.pairs(), c.pairs) << c.name;
        EXPECT_TRUE(manager.TRANSLATOR.ExtractText.empty()) << c.name;
    }
}

TEST_F(LoadTranslationsTest, WithoutTheFileTheTextsMetAreCollected) {
    writeBytes("ZelRestyle.trn", fileOf({pair("<Unknown>"), pair("<Onbekend>")}));
    manager.Init();
    EXPECT_EQ(manager.PROCEDURENAME.str(), "<Onbekend>");
    manager.Kill();

    for (const bool empty : {false, true}) {
        if (empty)
            writeBytes("ZelRestyle.trn", "");
        else
            fs::remove("ZelRestyle.trn");
        manager.Init();
        EXPECT_EQ(manager.TRANSLATOR.ExtractText.str(), "ZelRestyle.trn") << empty;
        EXPECT_EQ(manager.PROCEDURENAME.str(), "<Unknown>") << empty;
        EXPECT_EQ(manager.TRANSLATOR.pairs(), (Pairs{{"<Unknown>", ""}})) << empty;
        manager.Kill();
    }
}

class LoadTranslationsUnprivilegedTest : public Unprivileged<LoadTranslationsTest> {};

TEST_F(LoadTranslationsUnprivilegedTest, AFileTheUserMayNotWriteIsStillRead) {
    writeBytes("ZelRestyle.trn", fileOf({pair("Save"), pair("Opslaan")}));
    fs::permissions("ZelRestyle.trn", fs::perms::owner_read);
    manager.Init();
    EXPECT_EQ(manager.TRANSLATOR.pairs(), (Pairs{{"Save", "Opslaan"}}));
}

// The whole program, from a folder without "ZelRestyle.trn".
class TranslationsFileTest : public ProgramFixture {
protected:
    void runAndExit() {
        Window& frame = startProgram();
        drive::chooseMenu(frame, "?EXIT");
        EXPECT_EQ(waitForExit(), 0);
    }
};

// What a run that starts without the file writes into it.
std::string extractedByARun() {
    std::vector<std::string> lines = {"ZelResty GROUP", "Items      USHORT(26)"};
    for (const char* text : {"&Abort",
                             "&Cancel",
                             "&Help",
                             "&Ignore",
                             "&No",
                             "&Retry",
                             "&Yes",
                             "<Unknown>",
                             "Center controls automatic",
                             "Check window position",
                             "Control position and size",
                             "Custom menu look",
                             "Custom window titlebar",
                             "DEFAULT",
                             "Disable styling for this Window",
                             "Dynamic sizing of window",
                             "Fade windows in and out",
                             "Image on control",
                             "Limit procedure start",
                             "Mark selected control",
                             "Maximize window automatic",
                             "No property styling for this controltype",
                             "OK",
                             "Resize strategy",
                             "Save window position and size",
                             "Window roundness"}) {
        lines.push_back(pair(text));
        lines.push_back(pair(""));
    }
    lines.push_back("   END");
    return fileOf(lines);
}

TEST_F(TranslationsFileTest, AFirstRunWritesTheTextsItMetAndALaterRunOnlyReadsThem) {
    runAndExit();
    const std::string written = bytesOf("ZelRestyle.trn");
    EXPECT_EQ(written, extractedByARun());

    const auto writtenAt = fs::last_write_time("ZelRestyle.trn");
    Window& frame = startProgram();
    EXPECT_TRUE(StyleManager.TRANSLATOR.pairs().empty());
    drive::chooseMenu(frame, "?EXIT");
    EXPECT_EQ(waitForExit(), 0);
    EXPECT_EQ(bytesOf("ZelRestyle.trn"), written);
    EXPECT_EQ(fs::last_write_time("ZelRestyle.trn"), writtenAt);
}

// A writer stopped half-way once left an empty file.
TEST_F(TranslationsFileTest, ARunOverAnEmptyFileWritesTheTextsItMet) {
    writeBytes("ZelRestyle.trn", "");
    runAndExit();
    EXPECT_EQ(bytesOf("ZelRestyle.trn"), extractedByARun());
}

TEST_F(TranslationsFileTest, FilledInTranslationsReachTheMessageBoxAndTheCatalogue) {
    writeBytes("ZelRestyle.trn", fileOf({pair("OK"), pair("&Akkoord"), pair("DEFAULT"), pair("STANDAARD"),
                                         pair("Window roundness"), pair("Vensterafronding")}));
    Window& frame = startProgram();
    EXPECT_EQ(clip(StyleManager.CURRENTPROFILE.view()), "STANDAARD");
    StyleManager.CLARIONCONTROLPROPERTIESQUEUE.rec.PROPERTYEQUATE = -6;
    ASSERT_TRUE(StyleManager.CLARIONCONTROLPROPERTIESQUEUE.get({{"PROPERTYEQUATE"}}));
    EXPECT_EQ(StyleManager.CLARIONCONTROLPROPERTIESQUEUE.rec.PROPERTY.str(), "Vensterafronding");

    drive::chooseMenu(frame, "?HELPINDEX");
    EXPECT_EQ(drive::messageText(), "This program has no help file to open.");
    EXPECT_TRUE(drive::answerMessage("&Akkoord"));
    drive::chooseMenu(frame, "?EXIT");
    EXPECT_EQ(waitForExit(), 0);
}

}  // namespace
