// Pictures read from files: JPEG through libjpeg, BMP, GIF, ICO and PNG
// through Qt's readers.
//
// Rules:
// - A file is decoded once for its path and modification time: showing it
//   again, on any control or window, reuses the picture; a file changed on
//   disk is read again.
// - A file that is missing or cannot be decoded gives a null picture (the
//   control shows nothing), and so does an empty name.
// - An animated picture (a GIF of several frames) gives every frame, each
//   with the time it shows (a frame that gives none shows 100 ms); a still
//   picture is one frame.
#pragma once

#include <QPixmap>
#include <QPoint>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace platform {

struct PictureFrame {
    QPixmap picture;
    std::chrono::milliseconds shown{0};
};
using PictureFrames = std::vector<PictureFrame>;

// The file's frames in order; none when it cannot be read.
PictureFrames pictureFileFrames(const std::string& path);
// The file's first frame.
QPixmap pictureFile(const std::string& path);
// The point of a cursor file's (.cur) picture that clicks; none for any
// other file.
std::optional<QPoint> cursorHotSpot(const std::string& path);
// How many files were decoded so far (what the cache could not answer).
std::size_t picturesDecoded();

}  // namespace platform
