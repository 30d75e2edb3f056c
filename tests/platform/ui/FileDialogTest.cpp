// FILEDIALOG, answered through the dialog's own widgets as a user answers it.
#include "support/TempFolder.h"

#include "platform/drive/Driver.h"
#include "platform/fiber/Scheduler.h"
#include "platform/text/Codepage.h"
#include "platform/ui/FileDialog.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <functional>
#include <gtest/gtest.h>
#include <optional>

using namespace platform;

namespace {

constexpr const char* kFilter = "Image files|*.jpg;*.gif|All files|*.*";

struct Asked {
    std::optional<bool> chosen;  // none while the dialog is up
    std::string file;
};

QFileDialog* shownDialog() {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QFileDialog*>(top); dialog && dialog->isVisible()) return dialog;
    return nullptr;
}

// FILEDIALOG on a thread of its own with `file` as the current name;
// `answer` acts while it is up.
Asked ask(std::string file, const std::function<void(QFileDialog&)>& answer) {
    Asked asked{.file = std::move(file)};
    START([&asked] { asked.chosen = FILEDIALOG("Select a file", asked.file, kFilter, FILE_KeepDir | FILE_LongName); });
    drive::settle();
    QFileDialog* dialog = shownDialog();
    if (!dialog) throw std::runtime_error("no file dialog is up");
    EXPECT_FALSE(asked.chosen.has_value()) << "the thread waits for the answer";
    answer(*dialog);
    drive::settle();
    return asked;
}

}  // namespace

TEST(FileDialog, TheChosenFileIsItsFullPathAndTheCurrentFolderStays) {
    TempFolder folder;
    writeBytes(folder.path() / "long name picture.jpg", "x");
    const QString before = QDir::currentPath();
    const Asked asked = ask("", [&](QFileDialog&) {
        EXPECT_TRUE(drive::answerFileDialog(folder.file("long name picture.jpg")));
    });
    EXPECT_EQ(asked.chosen, true);
    EXPECT_EQ(asked.file, folder.file("long name picture.jpg"));
    EXPECT_EQ(QDir::currentPath(), before);
    EXPECT_EQ(shownDialog(), nullptr);
}

TEST(FileDialog, CancelLeavesTheNameAsItWas) {
    TempFolder folder;
    const Asked asked = ask(folder.file("old.gif"), [](QFileDialog&) { EXPECT_TRUE(drive::cancelFileDialog()); });
    EXPECT_EQ(asked.chosen, false);
    EXPECT_EQ(asked.file, folder.file("old.gif"));
    EXPECT_FALSE(drive::cancelFileDialog()) << "none is up any more";
}

TEST(FileDialog, ItOpensInTheCurrentNamesFolderWithTheTitleAndTheFilterPairs) {
    TempFolder folder;
    writeBytes(folder.path() / "old.gif", "x");
    ask(folder.file("old.gif"), [&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Select a file");
        EXPECT_EQ(QDir(dialog.directory()).canonicalPath(),
                  QDir(toQString(folder.path().string())).canonicalPath());
        EXPECT_EQ(dialog.nameFilters(), (QStringList{"Image files (*.jpg *.gif)", "All files (*.*)"}));
        EXPECT_EQ(dialog.selectedNameFilter(), "Image files (*.jpg *.gif)");
        drive::cancelFileDialog();
    });
}

TEST(FileDialog, TheRuntimesFilterBecomesQtsNameFilters) {
    const struct {
        const char* filter;
        const char* qt;
    } cases[] = {
        {"Image files|*.jpg;*.gif;*.bmp", "Image files (*.jpg *.gif *.bmp)"},
        {"Text|*.txt|All|*.*", "Text (*.txt);;All (*.*)"},
        {"Trailing|*.a;", "Trailing (*.a)"},
        {"", ""},
        {"A description without patterns", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(qtNameFilters(c.filter), c.qt) << c.filter;
}
