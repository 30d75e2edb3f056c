#include "platform/system/ProgramFolder.h"

#include "platform/text/Codepage.h"

#include <QCoreApplication>
#include <cstdlib>

namespace platform {

std::string folderBesideProgram(std::string_view name, const char* overridingVariable) {
    if (const char* folder = std::getenv(overridingVariable); folder && *folder) return fromUtf8(folder);
    if (!QCoreApplication::instance()) return std::string(name);
    return fromQString(QCoreApplication::applicationDirPath()) + "/" + std::string(name);
}

bool plainFileName(std::string_view name) {
    return !name.empty() && name.front() != '.' && name.find_first_of("/\\") == std::string_view::npos;
}

}  // namespace platform
