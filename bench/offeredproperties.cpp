// What "<<" costs in the properties window: every catalogue property added
// to one control type and the offered list filled again once, pressed
// through the driver, against adding the same rows to the property file
// directly. The window may take at most 1.5 times as long. Prints both times
// and the ratio.
#include "StyleManagerBench.h"
#include "Timing.h"

#include "platform/drive/Driver.h"
#include "platform/fiber/Scheduler.h"
#include "platform/files/KeyedFile.h"
#include "platform/ui/Window.h"
#include "restyle/ZelRestyleClass.h"
#include "stylemanager/ZelStylemanagerClass.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace platform;

namespace {

constexpr int kRounds = 7;

void fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::exit(1);
}

int buttonRow(const ZelStylemanagerClass& manager) {
    for (std::size_t i = 1; i <= manager.CONTROLTYPESQUEUE.records(); ++i)
        if (manager.CONTROLTYPESQUEUE.at(i).CONTROLTYPEEQUATE == CREATE::button) return static_cast<int>(i);
    fail("no control type BUTTON");
    return 0;
}

// Milliseconds the click takes.
double timedClick(Window& w, const char* button) {
    const auto start = bench::SteadyClock::now();
    drive::click(w, button);
    return bench::msSince(start);
}

// The catalogue's rows added for buttons by hand, as the window adds them.
double addedDirectly(ZelStylemanagerClass& m) {
    const auto start = bench::SteadyClock::now();
    const PropertyCatalogue& catalogue = m.CLARIONCONTROLPROPERTIESQUEUE;
    for (std::size_t i = 1; i <= catalogue.records(); ++i) {
        clearRecord(*m.PROPERTYFILE->record().fields, m.PROPERTYFILE->record().buffer);
        m.PROPERTYFILECONTROLTYPEEQUATEFIELD.setNumber(CREATE::button);
        m.PROPERTYFILEPROPERTYEQUATEFIELD.setNumber(catalogue.at(i).PROPERTYEQUATE);
        m.PROPERTYFILEPROPERTYFIELD.setText(catalogue.at(i).PROPERTY.str());
        m.PROPERTYFILEPROPERTYDESCRIPTIONFIELD.setText(catalogue.at(i).PROPERTYDESCRIPTION.str());
        m.PROPERTYFILE->add();
    }
    return bench::msSince(start);
}

// The button's rows taken out of the file behind the window's back, as
// they were added.
void removeDirectly(ZelStylemanagerClass& m) {
    m.PROPERTYFILECONTROLTYPEEQUATEFIELD.setNumber(CREATE::button);
    m.PROPERTYFILEPROPERTYFIELD.setText("");
    m.PROPERTYFILE->set(*m.PROPERTYFILEPRIMARYKEY, *m.PROPERTYFILEPRIMARYKEY);
    while (m.PROPERTYFILE->next() && m.PROPERTYFILECONTROLTYPEEQUATEFIELD.number() == CREATE::button)
        m.PROPERTYFILE->remove();
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bench::StyleManagerScratch scratch("offeredproperties");
    ZelStylemanagerClass& manager = scratch.manager;
    manager.USEFADING = 0;
    ZelRestyleClass caller;
    bool closed = false;
    START([&] {
        manager.ConfigureProperties(caller);
        closed = true;
    });
    drive::settle();
    Window* w = drive::window("ZelRestyle");
    if (!w) fail("the properties window did not open");
    drive::chooseRow(*w, "?CONTROLTYPELIST", buttonRow(manager));
    drive::click(*w, "?DELETEALLBUTTON");

    double windowTime = 0, directTime = 0;
    std::vector<double> ratios;
    for (int round = 0; round < kRounds; ++round) {
        const double pressed = timedClick(*w, "?COPYALLBUTTON");
        drive::click(*w, "?DELETEALLBUTTON");
        const double direct = addedDirectly(manager);
        removeDirectly(manager);
        windowTime += pressed;
        directTime += direct;
        ratios.push_back(pressed / direct);
    }
    drive::click(*w, "?CLOSEBUTTON");
    Scheduler::instance().pumpUntil([&] { return closed; }, std::chrono::seconds(5));
    if (!closed) fail("the properties window did not close");

    std::printf("%d rounds of %zu catalogue properties offered for buttons: \"<<\" %s ms, added directly %s ms\n",
                kRounds, manager.CLARIONCONTROLPROPERTIESQUEUE.records(), bench::shown(windowTime, 3).c_str(),
                bench::shown(directTime, 3).c_str());
    std::printf("\"<<\" %sx the direct adds, the median of %d rounds (%sx over all; target at most 1.5x)\n",
                bench::shown(bench::median(ratios), 3).c_str(), kRounds,
                bench::shown(windowTime / directTime, 3).c_str());
    return 0;
}
