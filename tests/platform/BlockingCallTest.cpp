// Calls on the worker: what they give or throw comes back to the caller;
// while one lasts Qt paints and the window side is told, but no other fiber
// runs and the windows' timers keep still; a quick one goes unnoticed.
#include "platform/drive/Driver.h"
#include "platform/fiber/BlockingCall.h"
#include "platform/fiber/Scheduler.h"
#include "platform/ui/Window.h"

#include <QApplication>
#include <QCursor>
#include <QWidget>

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>

using namespace platform;
using namespace std::chrono_literals;

namespace {

class PaintCounter : public QWidget {
public:
    std::atomic<int> paints{0};

protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};

// What the window side is told, while the object lives.
class HookLog {
public:
    HookLog()
        : before_(setBlockingCallHook([this](bool busy, std::string_view activity) {
              told.push_back(busy ? "busy:" + std::string(activity) : "done");
          })) {}
    ~HookLog() { setBlockingCallHook(before_); }

    std::vector<std::string> told;

private:
    BlockingCallHook before_;
};

// Waits on the worker until `holds`, two seconds at most.
bool waitOnWorker(const std::function<bool()>& holds) {
    const auto deadline = std::chrono::steady_clock::now() + 2s;
    while (!holds() && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(5ms);
    return holds();
}

// A window with a timer of 20 ms that counts its ticks until told to stop.
void countTicks(std::atomic<int>& ticks, const bool& stop) {
    Window w({.label = "W", .title = "timed"});
    w.open();
    w.setProperty(0, PROP::Timer, 2);
    while (!stop && w.accept())
        if (w.event() == EVENT::Timer) ++ticks;
}

}  // namespace

TEST(BlockingCall, ResultsAndFailuresComeBackFromTheWorker) {
    const std::thread::id caller = std::this_thread::get_id();
    EXPECT_NE(blockingCall([] { return std::this_thread::get_id(); }), caller);
    EXPECT_EQ(blockingCall([] { return std::string("given back"); }), "given back");
    EXPECT_THROW(runBlocking([] { throw std::runtime_error("driver gone"); }), std::runtime_error);
}

TEST(BlockingCall, AQuickCallGoesUnnoticed) {
    HookLog log;
    int calls = 0;
    for (int i = 0; i < 100; ++i) runBlocking([&] { ++calls; }, "Connecting...");
    EXPECT_EQ(calls, 100);
    EXPECT_TRUE(log.told.empty());
}

TEST(BlockingCall, WhileACallLastsQtPaintsAndNoOtherThreadRuns) {
    PaintCounter painted;
    painted.resize(100, 60);
    painted.show();
    std::atomic<int> ticks{0};
    std::atomic<long> polls{0};
    bool stop = false;
    START([&] { countTicks(ticks, stop); });
    START([&] {
        while (!stop) {
            ++polls;
            YIELD();
        }
    });
    EXPECT_TRUE(Scheduler::instance().pumpUntil([&] { return ticks >= 2; }, 5s));

    // Told after the window side has taken the hook for its windows.
    HookLog log;
    bool paintedMeanwhile = false;
    int ticksMeanwhile = -1;
    long pollsMeanwhile = -1;
    START([&] {
        const int ticksBefore = ticks;
        const long pollsBefore = polls;
        runBlocking(
            [&] {
                const int paintsBefore = painted.paints;
                // Asked of Qt's thread from here: only a Qt turn can paint it.
                QMetaObject::invokeMethod(&painted, [&] { painted.update(); });
                paintedMeanwhile = waitOnWorker([&] { return painted.paints > paintsBefore; });
                std::this_thread::sleep_for(300ms);
            },
            "Connecting...");
        ticksMeanwhile = ticks - ticksBefore;
        pollsMeanwhile = polls - pollsBefore;
        stop = true;
    });
    EXPECT_TRUE(Scheduler::instance().pumpUntil([&] { return stop; }, 10s));
    EXPECT_TRUE(paintedMeanwhile);
    EXPECT_EQ(ticksMeanwhile, 0) << "the window's timer kept still";
    EXPECT_EQ(pollsMeanwhile, 0) << "the polling thread did not run";
    EXPECT_EQ(log.told, (std::vector<std::string>{"busy:Connecting...", "done"}));
    Scheduler::instance().endAllOthers();
    drive::settle();
}

TEST(BlockingCall, ThePointerShowsBusyWhileACallLasts) {
    bool stop = false;
    START([&] {
        Window w({.label = "W", .title = "plain"});
        w.open();
        while (!stop && w.accept()) {
        }
    });
    ASSERT_NE(drive::waitForWindow("plain"), nullptr);
    Qt::CursorShape meanwhile = Qt::ArrowCursor;
    runBlocking([&] {
        std::this_thread::sleep_for(100ms);
        QMetaObject::invokeMethod(qApp, [&] {
            meanwhile = QApplication::overrideCursor() ? QApplication::overrideCursor()->shape() : Qt::ArrowCursor;
        });
        std::this_thread::sleep_for(200ms);
    });
    EXPECT_EQ(meanwhile, Qt::WaitCursor);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the pointer is back";
    stop = true;
    Scheduler::instance().endAllOthers();
    drive::settle();
}
