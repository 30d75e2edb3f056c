// What the styled message box costs: 200 boxes of two lines and two buttons,
// each opened on a thread of its own and answered through the driver as a
// user answers it, in the style manager's box (with looks stored for it)
// against the layer's own box. The styled box may take at most twice as
// long. Prints both times and the ratio.
#include "support/StoredSettings.h"

#include "platform/drive/Driver.h"
#include "platform/fiber/Scheduler.h"
#include "platform/message/Message.h"
#include "restyle/RestyleRows.h"
#include "restyle/ZelConditionFile.h"
#include "restyle/ZelConditionSetFile.h"
#include "restyle/ZelPropertiesFile.h"
#include "restyle/ZelRestyleFile.h"
#include "stylemanager/RestyleDataFiles.h"
#include "stylemanager/ZelStylemanagerClass.h"

#include <QApplication>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

using namespace platform;
using Clock_ = std::chrono::steady_clock;
namespace fs = std::filesystem;

namespace {

constexpr int kBoxes = 200;
constexpr int kRounds = 10;  // the two kinds take turns, so neither has the quieter machine
const std::string kText = "The file has changed.|Save it now?";
const std::string kButtons = std::to_string(BUTTON_YES + BUTTON_NO);

struct Files {
    ZelPropertiesFile properties;
    ZelConditionSetFile sets;
    ZelConditionFile conditions;
    ZelRestyleFile values;
};

void setUp(ZelStylemanagerClass& manager, Files& f, String<255>& user) {
    manager.Init();
    manager.SetUserName(user);
    bindRestyleDataFiles(manager, {f.properties, f.sets, f.conditions, f.values});
    manager.Setup(0);
}

// Looks of the box's buttons and lines, and one of its Yes button.
void storeLooks(ZelStylemanagerClass& manager) {
    const std::string box{restyle::kMessageProcedure};
    const std::pair<Long, const char*> looks[] = {{PROP::FontColor, "255"}, {PROP::FontStyle, "700"}};
    for (const Long type : {CREATE::button, CREATE::string})
        for (const auto& [property, value] : looks)
            storeSetting(manager, {.procedure = box, .group = restyle::controlTypeGroup(type), .controlType = type,
                                   .property = property, .value = value});
    storeSetting(manager, {.procedure = box, .group = restyle::controlGroup("&Yes"), .controlType = CREATE::button,
                           .property = PROP::Color, .value = "65535"});
}

// Opens and answers `count` boxes, one after another; milliseconds taken.
template <class Show>
double answerBoxes(int count, Show show) {
    const auto start = Clock_::now();
    for (int i = 0; i < count; ++i) {
        bool answered = false;
        START([&] {
            show();
            answered = true;
        });
        drive::settle();
        if (!drive::answerMessage("&Yes") || !answered) {
            std::fprintf(stderr, "a box was not answered\n");
            std::exit(1);
        }
    }
    return std::chrono::duration<double, std::milli>(Clock_::now() - start).count();
}

std::string shown(double value) { return numberText(std::round(value * 1000) / 1000); }

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const fs::path folder = fs::temp_directory_path() / ("tabloom-bench-messagebox-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    fs::current_path(folder);
    String<255> user{"DEFAULT"};
    Files files;
    ZelStylemanagerClass manager;
    setUp(manager, files, user);
    storeLooks(manager);
    const auto styled = [&manager] { manager.Message(kText, "Question", ICON_QUESTION, kButtons, 1, 0, 0, 0, 0); };
    const auto layers = [] { platformMessage(kText, "Question", ICON_QUESTION, kButtons, BUTTON_YES, 0); };
    answerBoxes(1, styled);  // the first box pays for Qt's start
    answerBoxes(1, layers);

    double styledTime = 0, layersTime = 0;
    for (int round = 0; round < kRounds; ++round) {
        styledTime += answerBoxes(kBoxes / kRounds, styled);
        layersTime += answerBoxes(kBoxes / kRounds, layers);
    }
    manager.Kill();
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(folder);

    std::printf("%d boxes of two lines and two buttons, opened and answered: styled %s ms, the layer's own %s ms\n",
                kBoxes, shown(styledTime).c_str(), shown(layersTime).c_str());
    std::printf("the styled box %sx the layer's own (target at most 2x)\n", shown(styledTime / layersTime).c_str());
    return 0;
}
