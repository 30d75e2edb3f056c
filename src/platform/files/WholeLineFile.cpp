#include "platform/files/WholeLineFile.h"

#include "platform/system/Errors.h"

namespace platform {
namespace {

std::string currentErrorText() {
    const std::string fileError = FILEERROR();
    return fileError.empty() ? ERROR() : ERROR() + " (" + fileError + ")";
}

}  // namespace

WholeLineFile::WholeLineFile(std::string fileName)
    : replaced_(replacedFile(fileName)),
      file_(replaced_.empty() ? fileName : replaced_ + ".new", kAnyLineWidth) {}

bool WholeLineFile::succeeded(bool result) {
    if (!result && failure_.empty()) failure_ = currentErrorText();
    return result;
}

bool WholeLineFile::begin() { return succeeded(file_.create()) && succeeded(file_.open(kReadWriteDenyWrite)); }

void WholeLineFile::line(std::string_view text) {
    if (!failed()) succeeded(file_.add(text));
}

void WholeLineFile::fail(std::string reason) {
    if (!failed()) failure_ = std::move(reason);
}

bool WholeLineFile::finish() {
    if (file_.isOpen()) succeeded(file_.close());
    if (replaced_.empty()) return !failed();
    if (!failed() && succeeded(file_.rename(replaced_))) return true;
    file_.remove();
    return false;
}

}  // namespace platform
