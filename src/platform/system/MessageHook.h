// The system-wide PROP:MessageHook: the hook every MESSAGE goes to while one
// is installed (Message.h). It is program-wide state, as the error state is,
// so the windows' SYSTEM property and the message box both reach it without
// reaching each other.
#pragma once

#include "platform/text/Text.h"

#include <functional>
#include <string>

namespace platform {

using MessageHookFn = std::function<Long(const std::string& text, const std::string& caption,
                                         const std::string& icon, const std::string& buttons,
                                         Long defaultButton, Long style)>;

// The installed hook as a number: 0 = none. The number is what programs save
// and put back; hooks registered here get numbers from 1 up.
Long messageHookValue();
void setMessageHookValue(Long value);
Long registerMessageHook(MessageHookFn hook);
// The installed hook; nullptr when none is, or its number was never registered.
const MessageHookFn* installedMessageHook();

}  // namespace platform
