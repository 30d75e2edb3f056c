// MESSAGE: the runtime's message box, through a replaceable hook.
//
// The hook is the system-wide PROP:MessageHook: when set, every MESSAGE of
// every fiber goes to it; when not, the layer's own box is shown. Either way
// the calling fiber waits until the box is answered and gets the number of the
// button pressed. Texts use "|" as line break; `buttons` is either a set of
// BUTTON: flags given as a number in text, or captions such as "&Ja|&Nee"
// (then the result is the caption's 1-based place).
#pragma once

#include "platform/system/MessageHook.h"
#include "platform/text/Text.h"

#include <string>

namespace platform {

// Standard buttons (bit flags) and icons.
constexpr Long BUTTON_OK = 1;
constexpr Long BUTTON_YES = 2;
constexpr Long BUTTON_NO = 4;
constexpr Long BUTTON_ABORT = 8;
constexpr Long BUTTON_RETRY = 16;
constexpr Long BUTTON_IGNORE = 32;
constexpr Long BUTTON_CANCEL = 64;
constexpr Long BUTTON_HELP = 128;

inline const std::string ICON_NONE;
inline const std::string ICON_EXCLAMATION = "~Exclamation";
inline const std::string ICON_QUESTION = "~Question";
inline const std::string ICON_HAND = "~Hand";
inline const std::string ICON_ASTERISK = "~Asterisk";

Long MESSAGE(const std::string& text, const std::string& caption = {}, const std::string& icon = {},
             const std::string& buttons = std::to_string(BUTTON_OK), Long defaultButton = 0, Long style = 0);

// The layer's own box, bypassing any hook.
Long platformMessage(const std::string& text, const std::string& caption, const std::string& icon,
                     const std::string& buttons, Long defaultButton, Long style);

}  // namespace platform
