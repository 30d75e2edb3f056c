#include "app/txd/TxdOutput.h"

#include "platform/system/Errors.h"

namespace {

std::string currentErrorText() {
    const std::string fileError = platform::FILEERROR();
    return fileError.empty() ? platform::ERROR() : platform::ERROR() + " (" + fileError + ")";
}

}  // namespace

TxdOutput::TxdOutput(std::string fileName) : file_(std::move(fileName), platform::kAnyLineWidth) {}

bool TxdOutput::succeeded(bool result) {
    if (!result && failure_.empty()) failure_ = currentErrorText();
    return result;
}

bool TxdOutput::begin() { return succeeded(file_.create()) && succeeded(file_.open(platform::kReadWriteDenyWrite)); }

void TxdOutput::line(std::string_view text) {
    if (!failed()) succeeded(file_.add(text));
}

bool TxdOutput::finish() {
    if (file_.isOpen()) succeeded(file_.close());
    return !failed();
}
