// What the styled message box costs: 200 boxes of two lines and two buttons,
// each opened on a thread of its own and answered through the driver as a
// user answers it, in the style manager's box (with looks stored for it)
// against the layer's own box. The styled box may take at most 1.5 times as
// long. Prints both times and the ratio.
#include "StyleManagerBench.h"
#include "Timing.h"

#include "programsupport/StoredSettings.h"

#include "platform/drive/Driver.h"
#include "platform/fiber/Scheduler.h"
#include "platform/message/Message.h"
#include "restyle/RestyleRows.h"
#include "stylemanager/ZelStylemanagerClass.h"

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <string>

using namespace platform;

namespace {

constexpr int kBoxes = 200;
constexpr int kRounds = 10;  // the two kinds take turns, so neither has the quieter machine
const std::string kText = "The file has changed.|Save it now?";
const std::string kButtons = std::to_string(BUTTON_YES + BUTTON_NO);

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
    const auto start = bench::SteadyClock::now();
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
    return bench::msSince(start);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bench::StyleManagerScratch scratch("messagebox");
    ZelStylemanagerClass& manager = scratch.manager;
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

    std::printf("%d boxes of two lines and two buttons, opened and answered: styled %s ms, the layer's own %s ms\n",
                kBoxes, bench::shown(styledTime, 3).c_str(), bench::shown(layersTime, 3).c_str());
    std::printf("the styled box %sx the layer's own (target at most 1.5x)\n", bench::shown(styledTime / layersTime, 3).c_str());
    return 0;
}
