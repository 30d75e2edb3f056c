// The character engine with Merlin. Prints three ratios:
// - loading Merlin against reading his rows with sqlite3 and decoding his
//   pictures with QImage (target: under 1.3);
// - stepping through every frame of every animation in real time on an
//   offscreen screen, the clock moved to each frame, against painting the
//   same pictures on an image (target: under 2);
// - the memory a loaded Merlin takes against his decoded pictures (target:
//   under 1.5).
#include "platform/agent/CharacterEngine.h"
#include "platform/agent/CharacterFile.h"
#include "platform/fiber/Scheduler.h"

#include <QApplication>
#include <QPainter>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <malloc.h>
#include <sqlite3.h>
#include <vector>

using namespace platform;
using namespace platform::agent;
using namespace std::chrono;

namespace {

constexpr int kRuns = 5;

double bestMs(const std::function<void()>& run) {
    double best = 1e300;
    for (int i = 0; i < kRuns; ++i) {
        const auto start = steady_clock::now();
        run();
        best = std::min(best, duration<double, std::milli>(steady_clock::now() - start).count());
    }
    return best;
}

// What any reader of the file has to do at least.
void readRowsAndDecode(const std::string& path) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    std::vector<QImage> images;
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, "SELECT id, png FROM image", -1, &s, nullptr);
    while (sqlite3_step(s) == SQLITE_ROW)
        images.push_back(QImage::fromData(static_cast<const uchar*>(sqlite3_column_blob(s, 1)),
                                          sqlite3_column_bytes(s, 1), "PNG"));
    sqlite3_finalize(s);
    struct Row {
        std::string animation;
        int position, image, duration;
    };
    std::vector<Row> frames;
    sqlite3_prepare_v2(db, "SELECT animation, position, image, duration FROM frame", -1, &s, nullptr);
    while (sqlite3_step(s) == SQLITE_ROW)
        frames.push_back({reinterpret_cast<const char*>(sqlite3_column_text(s, 0)), sqlite3_column_int(s, 1),
                          sqlite3_column_int(s, 2), sqlite3_column_int(s, 3)});
    sqlite3_finalize(s);
    sqlite3_close(db);
}

std::size_t heapInUse() { return mallinfo2().uordblks; }

// Every animation played in turn, the clock moved to each due frame; returns the steps taken.
int stepEveryFrame(CharacterEngine& engine, const CharacterData& merlin) {
    int steps = 0;
    for (const std::string& name : merlin.animationNames()) {
        const RequestId id = engine.play("Merlin", name);
        while (engine.state(id) == RequestState::Running) {
            const auto due = engine.nextDue();
            if (!due) break;
            Clock::advance(duration_cast<milliseconds>(*due - Clock::now()));
            Scheduler::instance().dispatch();  // the engine shows each frame as it steps
            ++steps;
        }
    }
    return steps;
}

void paintEveryFrame(const CharacterData& merlin, QImage& canvas) {
    for (const std::string& name : merlin.animationNames())
        for (const CharacterFrame& frame : merlin.animation(name)->frames) {
            QPainter painter(&canvas);
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.fillRect(canvas.rect(), Qt::transparent);
            painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
            painter.drawImage(0, 0, merlin.images[frame.image]);
        }
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    CharacterEngine& engine = CharacterEngine::instance();
    const std::string path = engine.characterFile("Merlin");
    const std::optional<CharacterData> merlin = readCharacterFile(path);
    if (!merlin) {
        std::fprintf(stderr, "Merlin could not be read from %s\n", path.c_str());
        return 1;
    }

    const double loadMs = bestMs([&] { readCharacterFile(path); });
    const double rawMs = bestMs([&] { readRowsAndDecode(path); });
    std::printf("load: Merlin %.1f ms, his rows read and decoded %.1f ms: ratio %.2f (target under 1.3)\n", loadMs,
                rawMs, loadMs / rawMs);

    std::size_t decoded = 0;
    for (const QImage& image : merlin->images) decoded += image.sizeInBytes();
    const std::size_t before = heapInUse();
    engine.load("Merlin");
    const std::size_t loaded = heapInUse() - before;
    std::printf("memory: loaded %.1f MB, decoded pictures %.1f MB: ratio %.2f (target under 1.5)\n", loaded / 1e6,
                decoded / 1e6, double(loaded) / decoded);

    Clock::useFake();
    engine.show("Merlin", true);
    QCoreApplication::processEvents();  // the window is on the screen
    int frames = 0;
    const double stepMs = bestMs([&] { frames = stepEveryFrame(engine, *merlin); });
    QImage canvas(merlin->width, merlin->height, QImage::Format_ARGB32_Premultiplied);
    const double paintMs = bestMs([&] { paintEveryFrame(*merlin, canvas); });
    std::printf("frames: %d stepped in %.1f ms, painted on an image in %.1f ms: ratio %.2f (target under 2)\n", frames,
                stepMs, paintMs, stepMs / paintMs);
    engine.unload("Merlin");
    return 0;
}
