// PCX pictures: one plane of 8-bit palette indexes with the 256-colour
// palette at the file's end, or three 8-bit planes (red, green, blue) per
// line, run-length encoded. Anything else, or a file cut short, is no
// picture.
#pragma once

#include <QImage>
#include <string>

namespace platform {

bool isPcx(const std::string& bytes);
QImage decodePcx(const std::string& bytes);

}  // namespace platform
