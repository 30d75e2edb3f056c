#include "app/txd/TxdFilename.h"

#include "app/main/Globals.h"
#include "platform/fiber/Scheduler.h"
#include "platform/text/Codepage.h"
#include "platform/ui/Window.h"

#include <filesystem>

namespace {

constexpr char kSeparator = '/';

std::string currentFolder() {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::current_path(error);
    return error ? std::string() : platform::fromUtf8(folder.string());
}

}  // namespace

std::string completedTxdFilename(std::string_view name, std::string_view currentFolder, std::size_t width) {
    const std::string clipped = platform::clip(name);
    if (clipped.find(kSeparator) != std::string::npos || currentFolder.empty()) return clipped;
    std::string completed(currentFolder);
    if (completed.back() != kSeparator) completed.push_back(kSeparator);
    completed += clipped;
    return completed.size() <= width ? completed : clipped;
}

void completeGlobalTxdFilename() {
    Glo::TXDFilename = completedTxdFilename(Glo::TXDFilename, currentFolder(), Glo::TXDFilename.capacity);
    if (platform::Window* window = platform::Window::topWindowOf(platform::THREAD())) window->display();
}
