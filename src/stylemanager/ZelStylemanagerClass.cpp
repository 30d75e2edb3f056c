#include "stylemanager/ZelStylemanagerClass.h"

#include "platform/message/Message.h"

platform::Long ZelStylemanagerClass::Message(const std::string& text, const std::string& caption,
                                             const std::string& icon, const std::string& buttons,
                                             platform::Long defaultButton, platform::Long style, platform::Byte,
                                             platform::Byte, platform::Byte) {
    return platform::platformMessage(text, caption, icon, buttons, defaultButton, style);
}
