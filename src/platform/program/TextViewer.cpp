#include "platform/program/TextViewer.h"

#include "platform/message/Message.h"
#include "platform/text/Codepage.h"

#include <QProcess>
#include <QStringList>

namespace platform {
namespace {

QString viewerProgram() {
    const QString configured = qEnvironmentVariable("TXD_VIEWER");
    return configured.isEmpty() ? QStringLiteral("xdg-open") : configured;
}

}  // namespace

void openInTextViewer(const std::string& file) {
    const QString program = viewerProgram();
    if (QProcess::startDetached(program, {toQString(file)})) return;
    MESSAGE("The text viewer " + fromQString(program) + " could not be started for|" + file +
                "|The file has been written.",
            "Text viewer", ICON_EXCLAMATION);
}

}  // namespace platform
