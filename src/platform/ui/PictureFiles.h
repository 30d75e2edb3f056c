// Pictures read from files: JPEG through libjpeg, BMP, GIF, ICO and PNG
// through Qt's readers.
//
// Rules:
// - A file is decoded once for its path and modification time: showing it
//   again, on any control or window, reuses the picture; a file changed on
//   disk is read again.
// - A file that is missing or cannot be decoded gives a null picture (the
//   control shows nothing), and so does an empty name.
#pragma once

#include <QPixmap>
#include <string>

namespace platform {

QPixmap pictureFile(const std::string& path);
// How many files were decoded so far (what the cache could not answer).
std::size_t picturesDecoded();

}  // namespace platform
