// Draws Merlin and writes his character file.
// Usage: make_merlin <file.tchar>
#include "MerlinAnimations.h"
#include "MerlinPainter.h"
#include "platform/agent/CharacterFile.h"

#include <QBuffer>
#include <cstdio>
#include <map>

namespace {

QByteArray png(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <file.tchar>\n", argv[0]);
        return 2;
    }
    platform::agent::CharacterSource merlin{.name = "Merlin", .width = kMerlinSize, .height = kMerlinSize};
    std::map<QByteArray, int> drawn;  // a picture that comes back is stored once
    for (const MerlinAnimation& animation : merlinAnimations()) {
        for (const MerlinFrame& frame : animation.frames) {
            const QByteArray picture = png(drawMerlin(frame.pose));
            const auto [at, added] = drawn.try_emplace(picture, static_cast<int>(merlin.pngs.size()));
            if (added) merlin.pngs.push_back(picture);
            merlin.frames.push_back({animation.name, at->second, frame.duration});
        }
    }
    if (platform::agent::writeCharacterFile(argv[1], merlin)) return 0;
    std::fprintf(stderr, "could not write %s\n", argv[1]);
    return 1;
}
