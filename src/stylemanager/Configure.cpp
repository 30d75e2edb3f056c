// The configuration window (Configure): the entry to the other configuration
// windows, in its shaped window over the window it was asked from. What the
// editors write while it is up is one transaction of the condition-set,
// condition and restyle files, committed when it closes by "&Close".
#include "platform/fiber/Scheduler.h"
#include "platform/files/FileTransaction.h"
#include "platform/files/KeyedFile.h"
#include "platform/message/Message.h"
#include "platform/odbc/FileProperties.h"
#include "platform/program/ShellExecute.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowCalls.h"
#include "platform/ui/WindowMessages.h"
#include "restyle/ZelRestyleClass.h"
#include "splash/ZelConfigureShapeClass.h"
#include "stylemanager/P16_CONFIGUREWINDOW.h"
#include "stylemanager/ZelStylemanagerClass.h"

#include <functional>

using namespace platform;

namespace {

constexpr const char* kAnimatedPicture = "~Zelora op maat 5.gif";
constexpr const char* kHelpText =
    "Help???|This isn't finished and I certainly haven't had time to write a decent help file...";
constexpr const char* kAboutText =
    "Tabloom restyle configuration|Restyle the windows of the program at run time: fonts, colours, images "
    "and shapes, per profile.";
constexpr const char* kMakersAddress = "https://tabloom.example.org";
constexpr const char* kHelpId = "~ZelRestyleConfigure";
constexpr Long kLogoutTimeout = 1;  // seconds

// One opening of the configuration window.
class Configuration {
public:
    Configuration(ZelStylemanagerClass& manager, ZelRestyleClass& caller) : manager_(manager), caller_(caller) {}
    void run();

private:
    void open();
    void refresh();
    void reloadAnimation();
    void takeEvent();
    void takeAccepted(Long field);
    // Out of sight while the sub-window runs, back after it.
    void runSubWindow(const std::function<void()>& sub);
    void showControls(bool shown);
    void fade(Byte in) { caller_.FadeWindow(window_, in, 0, 1, 0, 1, 0); }
    void message(const char* text);
    void close();
    Long equate(std::string_view label) const { return window_.equate(label); }

    ZelStylemanagerClass& manager_;
    ZelRestyleClass& caller_;
    Window window_{P16_CONFIGUREWINDOW(manager_.USEFADING)};
    ZelConfigureShapeClass shape_;
    bool picker_ = false;
    bool done_ = false;
};

void Configuration::run() {
    const Byte usedClarionMessageBox = manager_.USECLARIONMESSAGEBOX;
    manager_.USECLARIONMESSAGEBOX = 1;
    manager_.CONDITIONSETFILE->setProperty(PROP_Logout, "1");
    manager_.CONDITIONFILE->setProperty(PROP_Logout, "2");
    manager_.RESTYLEFILE->setProperty(PROP_Logout, "2");
    // While one runs (a configuration closed by the picker) it goes on.
    LOGOUT(kLogoutTimeout);
    open();
    while (!done_ && window_.accept()) takeEvent();
    close();
    manager_.USECLARIONMESSAGEBOX = usedClarionMessageBox;
}

void Configuration::open() {
    window_.open();
    window_.setProperty(0, PROP::Buffer, 1);
    window_.setProperty(0, PROP::Hlp, kHelpId);
    shape_.BuildShapedWindowRegion();
    window_.alert(equate("?MOVEWINDOWREGION"), KEY::MouseLeft);
    manager_.TRANSLATOR.TranslateWindow(window_);
    refresh();
}

void Configuration::refresh() {
    reloadAnimation();
    manager_.PROCEDURENAME = caller_.PROCEDURENAME;
    if (manager_.USEFADING == 1)
        fade(1);
    else
        showControls(true);
}

// Written again, the picture plays from its first frame.
void Configuration::reloadAnimation() {
    const Long picture = equate("?ZELORAIMAGE");
    window_.setProperty(picture, PROP::Text, "");
    window_.setProperty(picture, PROP::Text, kAnimatedPicture);
}

void Configuration::takeEvent() {
    switch (window_.event()) {
        case EVENT::GainFocus: reloadAnimation(); break;
        case EVENT::MouseIn: window_.setProperty(equate("?ZELORALOGO"), PROP::Hide, 0); break;
        case EVENT::MouseOut:
            window_.setProperty(equate("?ZELORALOGO"), PROP::Hide, 1);
            reloadAnimation();
            break;
        case EVENT::AlertKey: PostMessage(window_.handle(), WM_SYSCOMMAND, SC_DRAGMOVE); break;
        case EVENT::Accepted: takeAccepted(window_.field()); break;
        default: break;
    }
}

void Configuration::takeAccepted(Long field) {
    ZelStylemanagerClass& m = manager_;
    ZelRestyleClass& c = caller_;
    if (field == equate("?REGIONZELORA")) {
        ShellExecute(window_.handle(), "open", kMakersAddress, SW_SHOWMAXIMIZED);
    } else if (field == equate("?CONFIGUREPROFILEBUTTON")) {
        runSubWindow([&] { m.ConfigureProfile(c); });
    } else if (field == equate("?CONFIGURERESTYLEBUTTON")) {
        runSubWindow([&] { m.ConfigureRestyle(c, 0, 1); });
    } else if (field == equate("?CONFIGUREIMAGESBUTTON")) {
        runSubWindow([&] { m.ConfigureImages(c); });
    } else if (field == equate("?CONFIGUREPROPERTIESBUTTON")) {
        runSubWindow([&] { m.ConfigureProperties(c); });
    } else if (field == equate("?CONFIGURERESTYLEDIRECLTYONWINDOWBUTTON")) {
        picker_ = done_ = true;
    } else if (field == equate("?HELPBUTTON")) {
        message(kHelpText);
    } else if (field == equate("?ABOUTBUTTON")) {
        message(kAboutText);
    } else if (field == equate("?CLOSEBUTTON")) {
        done_ = true;
    }
}

void Configuration::runSubWindow(const std::function<void()>& sub) {
    if (manager_.USEFADING == 1)
        fade(0);
    else
        showControls(false);
    sub();
    refresh();
}

void Configuration::showControls(bool shown) {
    for (const Long control : window_.controlNumbers()) window_.setProperty(control, PROP::Hide, shown ? 0 : 1);
}

void Configuration::message(const char* text) {
    MESSAGE(manager_.TRANSLATOR.TranslateString(text));
    refresh();
}

void Configuration::close() {
    reloadAnimation();
    if (manager_.USEFADING == 1) fade(0);
    window_.close();
    if (picker_) {
        caller_.ConfigureDirectly();
        return;
    }
    manager_.PurgeConditionSets();
    COMMIT();
    LOGOUT(kLogoutTimeout);
    manager_.RestyleProgress(caller_);
}

}  // namespace

// One configuration in the program at a time: the editors share the style
// manager's queues and its procedure name, so a second one would work on
// the first one's sets.
void ZelStylemanagerClass::Configure(ZelRestyleClass& caller) {
    if (configurationThread_ != 0) {
        if (Window* top = Window::topWindowOf(configurationThread_)) top->setProperty(0, PROP::Active, 1);
        return;
    }
    configurationThread_ = THREAD();
    struct Ended {
        int& thread;
        ~Ended() { thread = 0; }
    } ended{configurationThread_};
    Configuration(*this, caller).run();
}
