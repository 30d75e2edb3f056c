// Cursor files (.cur): an icon file whose type says cursor and whose entry
// holds the hot spot, the point of the picture that clicks.
#pragma once

#include <QImage>
#include <QPoint>
#include <QString>

bool writeCursor(const QString& path, const QImage& picture, QPoint hotSpot);
