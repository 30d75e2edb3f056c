// The profiles window: the user, the profile and the procedure in their
// boxes, the list of profiles, and the buttons below it; "&Save" and
// "C&ancel" lie hidden in their box where the others are, for the edit mode.
#pragma once

#include "platform/text/Text.h"
#include "platform/ui/WindowSpec.h"

namespace platform {
class QueueBase;
}

platform::WindowSpec P18_CONFIGUREWINDOW(platform::QueueBase& profiles, platform::CString<256>& user,
                                         platform::CString<256>& profile, platform::CString<81>& procedureName);
