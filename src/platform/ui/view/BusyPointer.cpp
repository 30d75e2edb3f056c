// While a call on the worker keeps the program waiting (BlockingCall.h), the
// pointer shows busy and the application frame's status bar says what the
// call does; both come back as they were when it ends.
#include "platform/fiber/BlockingCall.h"
#include "platform/text/Codepage.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"

#include <QApplication>
#include <QPointer>
#include <QStatusBar>

#include <vector>

namespace platform {
namespace {

// What a status bar showed before a call's activity.
struct ShownActivity {
    QPointer<QStatusBar> bar;
    QString before;
};

std::vector<ShownActivity>& shownActivities() {
    static std::vector<ShownActivity> shown;
    return shown;
}

QStatusBar* frameStatusBar() {
    Window* frame = Window::applicationFrame();
    return frame && frame->view() ? frame->view()->statusBar() : nullptr;
}

void showBusy(std::string_view activity) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ShownActivity shown;
    if (!activity.empty()) shown.bar = frameStatusBar();
    if (shown.bar) {
        shown.before = shown.bar->currentMessage();
        shown.bar->showMessage(toQString(activity));
    }
    shownActivities().push_back(shown);
}

void showDone() {
    QApplication::restoreOverrideCursor();
    if (shownActivities().empty()) return;
    const ShownActivity shown = shownActivities().back();
    shownActivities().pop_back();
    if (shown.bar) shown.bar->showMessage(shown.before);
}

}  // namespace

void installBusyPointer() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    setBlockingCallHook([](bool busy, std::string_view activity) {
        if (busy) showBusy(activity);
        else showDone();
    });
}

}  // namespace platform
