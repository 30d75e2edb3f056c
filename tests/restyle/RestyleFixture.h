// A window of a procedure with its restyle object, run as a window procedure
// runs them, and a style manager over data files of the test's own.
#pragma once

#include "programsupport/StoredSettings.h"
#include "support/TempFolder.h"

#include "platform/drive/Driver.h"
#include "platform/fiber/Clock.h"
#include "platform/fiber/Scheduler.h"
#include "platform/message/Locale.h"
#include "platform/ui/Window.h"
#include "platform/ui/WidgetMask.h"
#include "platform/ui/WindowCalls.h"
#include "platform/ui/WindowView.h"
#include "restyle/ZelConditionFile.h"
#include "restyle/ZelConditionSetFile.h"
#include "restyle/ZelPropertiesFile.h"
#include "restyle/ZelRestyleClass.h"
#include "restyle/ZelRestyleFile.h"
#include "stylemanager/RestyleDataFiles.h"
#include "stylemanager/ZelStylemanagerClass.h"

#include <QRegion>
#include <chrono>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <vector>

using namespace platform;

inline constexpr platform::Long kHotKey = KEY::Ctrl + KEY::Alt + KEY::letter('S');
inline constexpr platform::Long kRunOnThread = 0x7000;  // a private event: the test's work for the window's thread
inline const std::string kProcedure = "Orders";

inline platform::WindowSpec ordersSpec(const std::string& title = "Orders") {
    return {.label = "W", .title = title, .at = {20, 20, 200, 120}, .resizable = true, .maximizeBox = true,
            .controls = {
                {.type = CREATE::button, .label = "?OK", .text = "&OK", .at = {10, 90, 40, 14}},
                {.type = CREATE::button, .label = "?Cancel", .text = "&Cancel", .at = {60, 90, 40, 14}},
                {.type = CREATE::string, .label = "?Name", .text = "Piet", .at = {10, 10, 60, 10}},
                {.type = CREATE::check, .label = "?Case", .text = "Case insentive", .at = {10, 30, 80, 10}},
            }};
}

struct CountingManager : ZelStylemanagerClass {
    int configured = 0;
    void Configure(ZelRestyleClass&) override { ++configured; }
    // The restyle editor: each call recorded, and what the user does in it.
    struct Edit {
        ZelRestyleClass* object;
        Long control;
        Byte allControlTypes;
        bool operator==(const Edit&) const = default;
    };
    std::vector<Edit> edits;
    std::function<void()> whileEditing;
    void ConfigureRestyle(ZelRestyleClass& object, Long control, Byte allControlTypes) override {
        edits.push_back({&object, control, allControlTypes});
        if (whileEditing) whileEditing();
    }
};

struct CountingRestyle : ZelRestyleClass {
    int passes = 0;
    void Restyle(Byte reload, Byte fromResize) override {
        ++passes;
        ZelRestyleClass::Restyle(reload, fromResize);
    }
};

// A window of a procedure with its restyle object, on a thread of its own,
// in the order a window procedure runs them: Init, the window opened, its
// controls registered (the window first, as "Window"), Open, then every
// event to TakeEvent.
class RestyledWindow {
public:
    using Step = std::function<void(Window&)>;

    RestyledWindow(ZelStylemanagerClass& manager, const std::string& procedure, WindowSpec spec,
                   Step beforeRegistration = {}, std::string unregistered = {}) {
        START([=, this, &manager] {
            // Whichever way the thread ends, even unwound at shut-down.
            struct Forget {
                RestyledWindow* self;
                ~Forget() { self->window_ = nullptr, self->restyle_ = nullptr; }
            } forget{this};
            CountingRestyle restyle;
            if (restyle.Init(procedure, manager) != 0) {
                refused_ = true;
                return;
            }
            Window w(spec);
            w.open();
            if (beforeRegistration) beforeRegistration(w);
            restyle.AddControl("Window", "Window", 0);
            for (Long n : w.controlNumbers())
                if (n > 0 && w.control(n)->label != unregistered)
                    restyle.AddControl(w.control(n)->label, w.control(n)->label, n);
            restyle.Open(w, 1);
            window_ = &w;
            restyle_ = &restyle;
            while (w.accept()) {
                events.push_back(w.event());
                // A consumed close is refused, as the window manager refuses it.
                if (restyle.TakeEvent() != 0) {
                    if (w.event() == EVENT::CloseWindow) w.cycle();
                    continue;
                }
                if (w.event() == kRunOnThread && work_) std::exchange(work_, {})();
                if (w.event() == EVENT::CloseWindow && refusesClose) w.cycle();
                // A button's standard action, as the window manager carries it out.
                if (w.event() == EVENT::Accepted && w.numberProperty(w.field(), PROP::Std) == STD::Close)
                    w.post({.event = EVENT::CloseWindow});
            }
            restyle.Kill();  // while the window is there, as a window procedure ends
        });
        drive::settle();
    }
    // A window that fades out on the test clock is given the ticks.
    ~RestyledWindow() {
        refusesClose = false;
        if (window_) window_->post({.event = EVENT::CloseWindow});
        drive::settle();
        for (int tick = 0; tick < 600 && window_ && Clock::fake(); ++tick) {
            Clock::advance(std::chrono::milliseconds(10));
            drive::settle();
        }
    }
    RestyledWindow(const RestyledWindow&) = delete;
    RestyledWindow& operator=(const RestyledWindow&) = delete;

    bool refused() const { return refused_; }
    // Open has ended (a fade in took its ticks).
    bool opened() const { return window_ != nullptr; }
    Window& window() const { return *window_; }
    CountingRestyle& restyle() const { return *restyle_; }
    Long number(std::string_view label) const { return window_->equate(label); }
    std::string property(std::string_view label, Long prop) const { return window_->property(number(label), prop); }
    // Runs on the window's thread, as the procedure's own code would.
    void onThread(std::function<void()> work) {
        work_ = std::move(work);
        window_->post({.event = kRunOnThread});
        drive::settle();
    }

    std::vector<Long> events;
    bool refusesClose = false;  // the procedure keeps its window open

private:
    Window* window_ = nullptr;
    CountingRestyle* restyle_ = nullptr;
    std::function<void()> work_;
    bool refused_ = false;
};

// Of the window's four corners as it now stands, those its region rounds
// off: a pixel just inside the 3-D edge, which a square region keeps. Where
// masks apply (X11), the window's mask must leave it out too.
inline int cornersRounded(Window& w) {
    RECT r;
    if (!GetWindowRect(w.handle(), r)) return 0;
    const int in = GetSystemMetrics(SM_CXEDGE) + 2;
    const int right = r.right - r.left - 1 - in, bottom = r.bottom - r.top - 1 - in;
    const QRegion mask = w.view()->outer()->mask();
    int rounded = 0;
    for (const auto& [x, y] : {std::pair{in, in}, std::pair{right, in}, std::pair{in, bottom}, std::pair{right, bottom}})
        rounded += !drive::shows(w, x, y) && (!masksApply() || !mask.contains(QPoint(x, y))) ? 1 : 0;
    return rounded;
}

// A window that only shows, on a thread of its own: the program's frame.
class PlainWindow {
public:
    explicit PlainWindow(WindowSpec spec) {
        START([this, spec] {
            Window w(spec);
            w.open();
            window_ = &w;
            while (w.accept()) {
            }
            window_ = nullptr;
        });
        drive::settle();
    }
    ~PlainWindow() {
        if (window_) window_->post({.event = EVENT::CloseWindow});
        drive::settle();
    }
    Window& window() const { return *window_; }

private:
    Window* window_ = nullptr;
};

// A control's place and size, in the window's units.
struct Box {
    Long x = 0, y = 0, width = 0, height = 0;
    bool operator==(const Box&) const = default;
    friend void PrintTo(const Box& b, std::ostream* out) {
        *out << '{' << b.x << ", " << b.y << ", " << b.width << ", " << b.height << '}';
    }
};

inline Box at(const Window& w, Long control) {
    return {w.numberProperty(control, PROP::Xpos), w.numberProperty(control, PROP::Ypos),
            w.numberProperty(control, PROP::Width), w.numberProperty(control, PROP::Height)};
}

// A background image as the image editor lists it, and the room it takes.
inline IMAGEQUEUERecord imageRow(Byte moveFrom, Short x, Short y, Short width, Byte widthPercent, Short height,
                                 Byte heightPercent, const std::string& file = "back.png") {
    IMAGEQUEUERecord row;
    row.IMAGEFILE = file;
    row.MOVEFROM = moveFrom;
    row.XPOS = x;
    row.YPOS = y;
    row.WIDTH = width;
    row.WIDTHINPERCENTAGE = widthPercent;
    row.HEIGHT = height;
    row.HEIGHTINPERCENTAGE = heightPercent;
    row.STYLE = 1;
    return row;
}

inline IMAGEQUEUERecord withRoom(IMAGEQUEUERecord row, Short x, Byte xPercent, Short y, Byte yPercent) {
    row.SHIFTXPOS = x;
    row.SHIFTXINPERCENTAGE = xPercent;
    row.SHIFTYPOS = y;
    row.SHIFTYINPERCENTAGE = yPercent;
    return row;
}

// A style manager set up over the four data files in a folder of the
// test's own, as the program sets it up.
class RestyleFixture : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        startAfresh();
    }
    void TearDown() override {
        Scheduler::instance().endAllOthers();
        drive::settle();
        manager.Kill();
        resetLocale();
        std::filesystem::current_path(previous_);
    }
    // Empty data files in a new folder.
    void startAfresh() {
        if (folder_) manager.Kill();
        folder_ = std::make_unique<TempFolder>();
        std::filesystem::current_path(folder_->path());
        files_ = std::make_unique<Files>();
        manager.Init();
        manager.SetUserName(userName_);
        bindRestyleDataFiles(manager, {files_->properties, files_->sets, files_->conditions, files_->values});
        manager.Setup(kHotKey);
    }
    Long store(const StoredSetting& setting) { return storeSetting(manager, setting); }
    // Settings of the window itself (control 0, registered as "Window").
    Long storeForWindow(Long property, const std::string& value) {
        return store({.procedure = kProcedure, .group = restyle::controlGroup("Window"),
                      .controlType = CREATE::window, .property = property, .value = value});
    }

    // The program's background images, as the image editor lists them.
    void addImage(IMAGEQUEUERecord row) {
        manager.IMAGEQUEUE.rec = row;
        manager.IMAGEQUEUE.add();
    }

    CountingManager manager;

private:
    struct Files {
        ZelPropertiesFile properties;
        ZelConditionSetFile sets;
        ZelConditionFile conditions;
        ZelRestyleFile values;
    };
    std::unique_ptr<TempFolder> folder_;
    std::unique_ptr<Files> files_;
    std::filesystem::path previous_;
    String<255> userName_{"Piet"};
};

