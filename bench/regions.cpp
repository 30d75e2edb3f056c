// Shaping a window to its controls as the steps overview does: a marker
// button for every step and a line from each step to the next, 500 controls
// in all, on a window the size of a screen. Prints the time of one
// ShapeWindowToControls (the controls' rectangles read, the region built and
// set on the window) against the same union built directly as a QRegion from
// rectangles known beforehand, and their ratio (target: under 3).
#include "assistant/AssistantClass.h"
#include "platform/drive/Driver.h"
#include "platform/fiber/Scheduler.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowCalls.h"

#include <QApplication>
#include <QPolygon>
#include <QRegion>
#include <chrono>
#include <cstdio>
#include <utility>
#include <vector>

using namespace platform;
using Ms = std::chrono::duration<double, std::milli>;

namespace {

constexpr int kSteps = 250;  // 250 markers and 249 lines
constexpr int kWidth = 1200, kHeight = 800;

// The steps wander over the window in a zigzag, as an author places them.
std::pair<int, int> stepPoint(int i) { return {40 + (i * 37) % (kWidth - 120), 40 + (i * 53) % (kHeight - 120)}; }

Long makeMarkers(Window& w) {
    Long last = 0;
    for (int i = 0; i < kSteps; ++i) {
        const auto [x, y] = stepPoint(i);
        if (i > 0) {
            const auto [px, py] = stepPoint(i - 1);
            last = w.create({.type = CREATE::line, .at = {px, py, x - px, y - py}});
            w.setProperty(last, PROP::Hide, 0);
        }
        last = w.create({.type = CREATE::button, .text = "&" + std::to_string(i + 1), .at = {x, y, 24, 18}});
        w.setProperty(last, PROP::Hide, 0);
    }
    return last;
}

// The union as one would write it straight on Qt, from the same rectangles.
QRegion directUnion(const std::vector<std::pair<bool, RECT>>& shapes, int width, int height, int border, int top) {
    QRegion region = QRegion(0, 0, width, height) ^
                     QRegion(border - 1, border - 1, width - 2 * border + 2, height - 2 * border + 2);
    for (const auto& [line, r] : shapes) {
        if (line) {
            const int l = std::min(r.left, r.right), t = std::min(r.top, r.bottom);
            const int rr = std::max(r.left, r.right), b = std::max(r.top, r.bottom);
            const bool rises = (r.right < r.left) != (r.bottom < r.top);
            const QPolygon band =
                rises ? QPolygon({QPoint(l - 1, b), QPoint(rr - 1, t), QPoint(rr + 1, t - 1), QPoint(l + 2, b - 1)})
                      : QPolygon({QPoint(l - 1, t), QPoint(rr - 1, b), QPoint(rr + 1, b + 1), QPoint(l + 2, t + 1)});
            region |= QRegion(band, Qt::WindingFill);
        } else {
            region |= QRegion(r.left, r.top, r.right - r.left, r.bottom - r.top);
        }
    }
    return region | QRegion(border, border, width - 2 * border, top - border);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    double shaped = 0, direct = 0;
    std::size_t rects = 0;
    bool done = false;
    START([&] {
        Window w({.label = "P80$STAPPEN", .title = "Stappen", .at = {0, 0, kWidth, kHeight}, .pixels = true});
        w.open();
        const Long last = makeMarkers(w);
        w.redraw();
        RECT window, client;
        GetWindowRect(w.handle(), window);
        GetClientRect(w.handle(), client);
        std::vector<std::pair<bool, RECT>> shapes;
        for (Long n = 1; n <= last; ++n) {
            RECT r;
            GetWindowRect(w.controlHandle(n), r);
            const RECT inWindow{r.left - window.left, r.top - window.top, r.right - window.left, r.bottom - window.top};
            shapes.push_back({w.control(n)->type == CREATE::line, inWindow});
        }
        const int width = window.right - window.left, height = window.bottom - window.top;
        const int border = (width - client.right) / 2, top = height - client.bottom - border;

        AssistantClass assistant;
        auto start = std::chrono::steady_clock::now();
        assistant.ShapeWindowToControls(w.handle(), 1, last, 0);
        shaped = Ms(std::chrono::steady_clock::now() - start).count();

        start = std::chrono::steady_clock::now();
        const QRegion region = directUnion(shapes, width, height, border, top);
        direct = Ms(std::chrono::steady_clock::now() - start).count();
        rects = static_cast<std::size_t>(region.rectCount());
        w.close();
        done = true;
    });
    Scheduler::instance().pumpUntil([&] { return done; }, std::chrono::seconds(60));
    drive::settle();
    std::printf("ShapeWindowToControls over %d markers and %d lines: %.2f ms\n", kSteps, kSteps - 1, shaped);
    std::printf("the same union built directly as a QRegion (%zu rectangles): %.2f ms\n", rects, direct);
    std::printf("ratio: %.2f (target: under 3)\n", shaped / direct);
    return done ? 0 : 1;
}
