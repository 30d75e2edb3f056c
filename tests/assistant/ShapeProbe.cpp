#include "ShapeProbe.h"

#include "platform/drive/Driver.h"
#include "platform/fiber/Scheduler.h"
#include "platform/ui/WindowCalls.h"

using namespace platform;

namespace {

constexpr Long kWork = 0x6F0;  // the probe's own event: work is waiting

}  // namespace

ShapeProbe::ShapeProbe(std::string title) {
    START([this, title] {
        Window w({.label = "Probe",
                  .title = title,
                  .at = {60, 50, 260, 160},
                  .pixels = true,
                  .controls = {{.type = CREATE::button, .label = "?Ok", .text = "&Ok", .at = {20, 20, 80, 30}},
                               {.type = CREATE::button, .label = "?Hidden", .text = "&Hidden", .at = {20, 70, 80, 30},
                                .hidden = true},
                               {.type = CREATE::line, .label = "?Line", .at = {230, 140, -80, -60}}}});
        window_ = &w;
        // However the thread ends (a test may end it early), the probe forgets its window.
        struct Forget {
            Window*& window;
            ~Forget() { window = nullptr; }
        } forget{window_};
        w.open();
        while (w.accept()) {
            if (w.event() == EVENT::Accepted) accepted.push_back(w.field());
            while (w.event() == kWork && !work_.empty()) {
                auto work = std::move(work_.front());
                work_.pop_front();
                work(w);
            }
        }
    });
    drive::settle();
}

ShapeProbe::~ShapeProbe() {
    if (window_) window_->post({.event = EVENT::CloseWindow});
    drive::settle();
}

void ShapeProbe::run(std::function<void(Window&)> work) {
    work_.push_back(std::move(work));
    window_->post({.event = kWork});
    drive::settle();
}

std::pair<int, int> ShapeProbe::inWindow(int x, int y) const {
    return {x + static_cast<int>(GetSystemMetrics(SM_CXFRAME)),
            y + static_cast<int>(GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION))};
}

std::pair<int, int> ShapeProbe::onScreen(int x, int y) const {
    RECT r;
    GetWindowRect(window_->handle(), r);
    const auto [wx, wy] = inWindow(x, y);
    return {static_cast<int>(r.left) + wx, static_cast<int>(r.top) + wy};
}
