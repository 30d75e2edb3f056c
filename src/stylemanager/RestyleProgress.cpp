// RestyleProgress: every open window back to its unstyled look and styled
// again from the files, behind a small topmost window that shows how far
// the walk is.
//
// The walk goes over a copy of the list of live restyle objects: while it
// yields between a window's two passes other threads run, and a window may
// close and take its object with it. An object is used only while the style
// manager still lists it and its window is open.
#include "platform/fiber/Scheduler.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowCalls.h"
#include "restyle/ZelRestyleClass.h"
#include "stylemanager/P40_RESTYLEPROGRESSWINDOW.h"
#include "stylemanager/ZelStylemanagerClass.h"

#include <algorithm>

using namespace platform;

namespace {

// A row without an object only moves the bar on.
bool stillOpen(const std::vector<ZelRestyleClass*>& live, ZelRestyleClass* object) {
    if (!object || std::find(live.begin(), live.end(), object) == live.end()) return false;
    const std::vector<Window*>& open = Window::openWindows();
    return object->PROCEDUREWINDOW &&
           std::find(open.begin(), open.end(), object->PROCEDUREWINDOW) != open.end();
}

// The frame stays visible; another window is hidden from its first pass to
// its second and shown again only when it was showing before.
void restyleWindow(const std::vector<ZelRestyleClass*>& live, ZelRestyleClass& object) {
    Window& window = *object.PROCEDUREWINDOW;
    const bool frame = window.numberProperty(0, PROP::Type) == CREATE::application;
    const bool shown = window.numberProperty(0, PROP::Hide) == 0;
    const Byte paused = object.DONOTRESTYLETHISPROCEDURE;
    object.DONOTRESTYLETHISPROCEDURE = 1;
    if (!frame) window.setProperty(0, PROP::Hide, 1);
    object.Restyle(0, 1);
    YIELD();
    if (!stillOpen(live, &object)) return;
    object.DONOTRESTYLETHISPROCEDURE = paused;
    object.Restyle(1, 0);
    if (!frame && shown) window.setProperty(0, PROP::Hide, 0);
}

}  // namespace

void ZelStylemanagerClass::RestyleProgress(ZelRestyleClass& caller) {
    Window window(P40_RESTYLEPROGRESSWINDOW());
    window.open();
    window.setProperty(0, PROP::Buffer, 1);
    const Long bar = window.equate("?RESTYLEPROGRESS");
    const std::vector<ZelRestyleClass*> objects = RESTYLECLASSLIST;
    window.setProperty(bar, PROP::RangeHigh, static_cast<Long>(objects.size()));
    ShowWindow(window.handle(), SW_RESTORE);
    SetWindowPos(window.handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    if (USEFADING == 1) caller.FadeWindow(window, 1, 0, 1, 0, 1, 0);
    for (std::size_t i = 0; i < objects.size(); ++i) {
        window.setProperty(bar, PROP::Progress, static_cast<Long>(i + 1));
        window.display();
        if (stillOpen(RESTYLECLASSLIST, objects[i])) restyleWindow(RESTYLECLASSLIST, *objects[i]);
    }
    if (USEFADING == 1) caller.FadeWindow(window, 0, 0, 1, 0, 1, 0);
    window.close();
}
