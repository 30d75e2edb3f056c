#include "platform/system/TextViewer.h"

#include "platform/message/Message.h"
#include "platform/text/Codepage.h"

#include <QProcess>
#include <QStringList>

namespace platform {
namespace {

QStringList viewerCommand() {
    const QString configured = qEnvironmentVariable("TABLOOM_TEXT_VIEWER").trimmed();
    QStringList command = QProcess::splitCommand(configured);
    if (command.isEmpty()) command << QStringLiteral("xdg-open");
    return command;
}

}  // namespace

void openInTextViewer(const std::string& file) {
    QStringList arguments = viewerCommand();
    const QString program = arguments.takeFirst();
    arguments << toQString(file);
    if (QProcess::startDetached(program, arguments)) return;
    MESSAGE("The text viewer " + fromQString(program) + " could not be started for|" + file, "Text viewer",
            ICON_EXCLAMATION);
}

}  // namespace platform
