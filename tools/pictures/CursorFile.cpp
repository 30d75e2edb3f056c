#include "CursorFile.h"

#include <QBuffer>
#include <QFile>

namespace {

void putShort(QByteArray& bytes, int at, int value) {
    bytes[at] = char(value & 0xFF);
    bytes[at + 1] = char((value >> 8) & 0xFF);
}

}  // namespace

bool writeCursor(const QString& path, const QImage& picture, QPoint hotSpot) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !picture.save(&buffer, "ico")) return false;
    constexpr int kType = 2, kHotSpotX = 10, kHotSpotY = 12;  // the header, then the one entry
    putShort(bytes, kType, 2);
    putShort(bytes, kHotSpotX, hotSpot.x());
    putShort(bytes, kHotSpotY, hotSpot.y());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
