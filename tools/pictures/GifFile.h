// GIF files, which Qt reads but cannot write: a still picture, or frames
// shown one after another for the same time, looping. One palette serves
// every frame (the 255 colours most used, index 0 is transparent, where a
// pixel is less than half opaque).
#pragma once

#include <QImage>
#include <QString>
#include <vector>

bool writeGif(const QString& path, const std::vector<QImage>& frames, int hundredthsEach = 0);
