#include "platform/abc/TranslatorClass.h"
#include "platform/ui/Window.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>

using namespace platform;

namespace {

class TranslatorClassTest : public ::testing::Test {
protected:
    void SetUp() override { translator.Init(); }
    // Extraction into a file of the folder.
    std::string extractInto(const std::string& name) {
        translator.ExtractText = folder.file(name);
        return folder.file(name);
    }

    // In a child process: Kill with files held to that many bytes, past
    // which a write ends the process.
    void killWritingAfter(rlim_t bytes) {
        const rlimit limit{bytes, bytes};
        setrlimit(RLIMIT_FSIZE, &limit);
        translator.Kill();
        std::exit(0);
    }

    TempFolder folder;
    TranslatorClass translator;
};

TEST_F(TranslatorClassTest, ATextIsLookedUpWithoutItsTrailingBlanksAndKeepsThem) {
    translator.AddTranslation("Save", "Opslaan");
    translator.AddTranslation("The file structure of", "De structuur van");
    translator.AddTranslation("Cancel", "");
    const struct {
        const char* text;
        const char* shown;
    } cases[] = {
        {"Save", "Opslaan"},
        {"Save  ", "Opslaan  "},
        {"The file structure of ", "De structuur van "},
        {"save", "save"},      // the exact text, case too
        {" Save", " Save"},    // leading blanks count
        {"Cancel", "Cancel"},  // an empty translation is none
        {"Unknown", "Unknown"},
    };
    for (const auto& c : cases) EXPECT_EQ(translator.TranslateString(c.text), c.shown) << c.text;
}

TEST_F(TranslatorClassTest, KillWritesTheTextsMetWithoutATranslationForATranslatorToFillIn) {
    const std::string file = extractInto("ZelRestyle.trn");
    translator.AddTranslation("Save", "Opslaan");
    for (const char* text : {"Zebra", "Save", "Don't go  ", "Zebra", "\xC9t\xE9", "&Yes", "", "   ", "Two|lines",
                             "line\nbreak", "carriage\rreturn"})
        translator.TranslateString(text);
    translator.Kill();
    EXPECT_EQ(bytesOf(file),
              "ZelResty GROUP\r\n"
              "Items      USHORT(5)\r\n"
              "           PSTRING('&Yes')\r\n"
              "           PSTRING('')\r\n"
              "           PSTRING('Don't go')\r\n"
              "           PSTRING('')\r\n"
              "           PSTRING('Two|lines')\r\n"
              "           PSTRING('')\r\n"
              "           PSTRING('Zebra')\r\n"
              "           PSTRING('')\r\n"
              "           PSTRING('\xC9t\xE9')\r\n"
              "           PSTRING('')\r\n"
              "   END\r\n");
    EXPECT_TRUE(translator.pairs().empty());
}

TEST_F(TranslatorClassTest, TheGroupIsNamedAfterTheFirstEightCharactersOfTheFilesBaseName) {
    const struct {
        const char* name;
        const char* groupLine;
    } cases[] = {{"Short.trn", "Short GROUP"}, {"Translations.x.trn", "Translat GROUP"}, {"NoDot", "NoDot GROUP"}};
    for (const auto& c : cases) {
        translator.Init();
        const std::string file = extractInto(c.name);
        translator.Kill();
        EXPECT_EQ(bytesOf(file), std::string(c.groupLine) + "\r\nItems      USHORT(0)\r\n   END\r\n") << c.name;
    }
}

TEST_F(TranslatorClassTest, WithoutAnExtractionFileNothingIsCollectedOrWritten) {
    translator.TranslateString("Zebra");
    EXPECT_TRUE(translator.pairs().empty());
    translator.Kill();
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

TEST_F(TranslatorClassTest, AFileThatAppearedMeanwhileIsNeverReplaced) {
    const std::string file = extractInto("ZelRestyle.trn");
    translator.TranslateString("Zebra");
    writeBytes(file, "someone's translations\r\n");
    translator.Kill();
    EXPECT_EQ(bytesOf(file), "someone's translations\r\n");
}

// The writer, in a child process, is killed by the file size limit as its
// lines reach the disk: what it was to replace is as it was.
TEST_F(TranslatorClassTest, AWriterKilledHalfWayLeavesNoFileOrTheEmptyOneItFound) {
    for (const bool emptyBefore : {false, true}) {
        SCOPED_TRACE(emptyBefore ? "an empty file before" : "no file before");
        translator.Init();
        const std::string file = extractInto("ZelRestyle.trn");
        if (emptyBefore) writeBytes(file, "");
        for (int i = 0; i < 500; ++i) translator.TranslateString("Text number " + std::to_string(i));
        EXPECT_EXIT(killWritingAfter(256), ::testing::KilledBySignal(SIGXFSZ), "");
        EXPECT_EQ(std::filesystem::exists(file), emptyBefore);
        EXPECT_EQ(bytesOf(file), "");
        std::filesystem::remove(file + ".new");
    }
}

TEST_F(TranslatorClassTest, AnEmptyFileIsWrittenOver) {
    const std::string file = extractInto("ZelRestyle.trn");
    writeBytes(file, "");
    translator.TranslateString("Zebra");
    translator.Kill();
    EXPECT_EQ(bytesOf(file),
              "ZelResty GROUP\r\nItems      USHORT(1)\r\n           PSTRING('Zebra')\r\n           PSTRING('')\r\n"
              "   END\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1) << "nothing beside it";
}

TEST_F(TranslatorClassTest, AWindowsTitleAndTheTextsItsControlsShowAreTranslated) {
    translator.AddTranslation("Options", "Opties");
    translator.AddTranslation("&Save", "&Opslaan");
    translator.AddTranslation("Name:", "Naam:");
    translator.AddTranslation("Saves the profile", "Bewaart het profiel");
    translator.AddTranslation("&File", "&Bestand");
    translator.AddTranslation("@s20", "@s40");
    translator.AddTranslation("zel.ico", "other.ico");
    String<20> name;
    Window window({.title = "Options",
                   .menubar = {{.type = CREATE::menu, .label = "?FileMenu", .text = "&File"}},
                   .controls = {{.type = CREATE::prompt, .label = "?Name:Prompt", .text = "Name:"},
                                {.type = CREATE::entry, .label = "?Name", .text = "@s20", .use = bind(name)},
                                {.type = CREATE::button, .label = "?Save", .text = "&Save", .msg = "Saves the profile"},
                                {.type = CREATE::image, .label = "?Logo", .text = "zel.ico"}}});
    window.setProperty(0, PROP::Text, "Options");
    window.setProperty(window.equate("?Save"), PROP::Tip, "Saves the profile");
    translator.TranslateWindow(window);
    EXPECT_EQ(window.property(0, PROP::Text), "Opties");
    const struct {
        const char* label;
        Long prop;
        const char* text;
    } shown[] = {{"?FileMenu", PROP::Text, "&Bestand"},         {"?Name:Prompt", PROP::Text, "Naam:"},
                 {"?Name", PROP::Text, "@s20"},                 {"?Save", PROP::Text, "&Opslaan"},
                 {"?Save", PROP::Msg, "Bewaart het profiel"},   {"?Save", PROP::Tip, "Bewaart het profiel"},
                 {"?Logo", PROP::Text, "zel.ico"}};
    for (const auto& s : shown) EXPECT_EQ(window.property(window.equate(s.label), s.prop), s.text) << s.label;
}

}  // namespace
