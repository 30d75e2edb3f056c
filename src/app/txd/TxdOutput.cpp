#include "app/txd/TxdOutput.h"

#include "platform/system/Errors.h"

namespace {

std::string currentErrorText() {
    const std::string fileError = platform::FILEERROR();
    return fileError.empty() ? platform::ERROR() : platform::ERROR() + " (" + fileError + ")";
}

}  // namespace

TxdOutput::TxdOutput(std::string fileName)
    : replaced_(platform::replacedFile(fileName)),
      file_(replaced_.empty() ? fileName : replaced_ + ".new", platform::kAnyLineWidth) {}

bool TxdOutput::succeeded(bool result) {
    if (!result && failure_.empty()) failure_ = currentErrorText();
    return result;
}

bool TxdOutput::begin() { return succeeded(file_.create()) && succeeded(file_.open(platform::kReadWriteDenyWrite)); }

void TxdOutput::line(std::string_view text) {
    if (!failed()) succeeded(file_.add(text));
}

void TxdOutput::fail(std::string reason) {
    if (!failed()) failure_ = std::move(reason);
}

bool TxdOutput::finish() {
    if (file_.isOpen()) succeeded(file_.close());
    if (replaced_.empty()) return !failed();
    if (!failed() && succeeded(file_.rename(replaced_))) return true;
    file_.remove();
    return false;
}
