#include "app/txd/TxdFilename.h"

#include "app/main/Globals.h"
#include "platform/fiber/Scheduler.h"
#include "platform/message/Message.h"
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

void reportTooLong(const std::string& folder, std::size_t width) {
    platform::MESSAGE("The dictionary file name completed with the current folder|" + folder +
                          "|would be longer than " + std::to_string(width) +
                          " characters.|Give a shorter name or one with a folder.",
                      "Write Clarion TXD", platform::ICON_HAND);
}

}  // namespace

std::optional<std::string> completedTxdFilename(std::string_view name, std::string_view currentFolder,
                                                std::size_t width) {
    const std::string clipped = platform::clip(name);
    if (clipped.find(kSeparator) != std::string::npos || currentFolder.empty()) return clipped;
    std::string completed(currentFolder);
    if (completed.back() != kSeparator) completed.push_back(kSeparator);
    completed += clipped;
    if (completed.size() > width) return std::nullopt;
    return completed;
}

bool completeGlobalTxdFilename() {
    const std::string folder = currentFolder();
    const std::optional<std::string> completed =
        completedTxdFilename(Glo::TXDFilename, folder, Glo::TXDFilename.capacity);
    if (!completed) {
        reportTooLong(folder, Glo::TXDFilename.capacity);
        return false;
    }
    Glo::TXDFilename = *completed;
    if (platform::Window* window = platform::Window::topWindowOf(platform::THREAD())) window->display();
    return true;
}
