#include "platform/program/TextViewer.h"

#include "platform/message/Message.h"
#include "platform/program/OutsidePrograms.h"
#include "platform/text/Codepage.h"

namespace platform {

void openInTextViewer(const std::string& file) {
    const QString program = programNamedBy("TXD_VIEWER");
    if (startWith(program, file)) return;
    MESSAGE("The text viewer " + fromQString(program) + " could not be started for|" + file +
                "|The file has been written.",
            "Text viewer", ICON_EXCLAMATION);
}

}  // namespace platform
