#include "platform/program/ShellExecute.h"

#include "platform/program/OutsidePrograms.h"

namespace platform {
namespace {

constexpr Long kStarted = 42;  // any number above 32 says so

}  // namespace

Long ShellExecute(Long, std::string_view operation, const std::string& file, Long) {
    if (lower(std::string(operation)) != "open") return SE_ERR_NOASSOC;
    return startWith(programNamedBy("TABLOOM_BROWSER"), file) ? kStarted : ERROR_FILE_NOT_FOUND;
}

}  // namespace platform
