// LOCALE: the runtime's own texts, set by the program.
//
// "CLABUTTON" gives the captions of the message box's standard buttons, in
// the order OK, Yes, No, Abort, Retry, Ignore, Cancel, Help, joined by ",";
// buttons past the last caption given keep theirs. Other settings are
// accepted and change nothing. A program run starts with the defaults
// ("&OK", "&Yes", ...).
#pragma once

#include "platform/text/Text.h"

#include <string>
#include <string_view>

namespace platform {

void LOCALE(std::string_view setting, std::string_view value);
// The caption of the standard button of that flag (BUTTON_OK, ...).
const std::string& standardButtonCaption(Long flag);
void resetLocale();

}  // namespace platform
