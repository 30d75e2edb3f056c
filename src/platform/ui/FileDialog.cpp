#include "platform/ui/FileDialog.h"

#include "platform/fiber/Scheduler.h"
#include "platform/text/Codepage.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPointer>
#include <optional>

namespace platform {
namespace {

std::vector<std::string> pieces(std::string_view text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t at = text.find(separator); at != std::string_view::npos; at = text.find(separator, start)) {
        parts.emplace_back(text.substr(start, at - start));
        start = at + 1;
    }
    parts.emplace_back(text.substr(start));
    return parts;
}

QWidget* parentWidget() {
    Window* target = TARGET();
    return target && target->isOpen() && target->view() ? target->view()->outer() : nullptr;
}

}  // namespace

std::string qtNameFilters(std::string_view filter) {
    const std::vector<std::string> parts = pieces(filter, '|');
    std::string filters;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        std::string patterns;
        for (const std::string& pattern : pieces(parts[i + 1], ';'))
            if (!pattern.empty()) patterns += (patterns.empty() ? "" : " ") + pattern;
        filters += (filters.empty() ? "" : ";;") + parts[i] + " (" + patterns + ")";
    }
    return filters;
}

bool FILEDIALOG(std::string_view title, std::string& file, std::string_view filter, Long) {
    const QFileInfo current(toQString(file));
    // Non-native, so that it is the same dialog everywhere and tests can answer it.
    QPointer<QFileDialog> dialog = new QFileDialog(parentWidget(), toQString(title));
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    if (!filter.empty()) dialog->setNameFilter(toQString(qtNameFilters(filter)));
    dialog->setDirectory(file.empty() || current.path() == "." ? QDir::currentPath() : current.absolutePath());
    if (!file.empty()) dialog->selectFile(current.fileName());

    // A fiber ended while it waits takes its dialog along.
    struct Closed {
        QPointer<QFileDialog>& dialog;
        ~Closed() {
            if (!dialog) return;
            QObject::disconnect(dialog, nullptr, nullptr, nullptr);
            dialog->close();
        }
    } closed{dialog};
    std::optional<QString> chosen;
    bool answered = false;
    QObject::connect(dialog, &QFileDialog::fileSelected, [&](const QString& path) { chosen = path; });
    QObject::connect(dialog, &QFileDialog::finished, [&](int) { answered = true; });
    dialog->open();
    Scheduler::instance().waitUntil([&] { return answered || !dialog; });
    if (!chosen) return false;
    file = fromQString(QFileInfo(*chosen).absoluteFilePath());
    return true;
}

}  // namespace platform
