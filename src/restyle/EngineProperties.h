// The engine's own properties: switches stored like any property under
// negative numbers (the property catalogue names them).
#pragma once

#include "platform/text/Text.h"

namespace restyle::engine {

inline constexpr platform::Long kLimitProcedureStart = -1;
inline constexpr platform::Long kFadeWindows = -4;
inline constexpr platform::Long kMarkSelectedControl = -5;
inline constexpr platform::Long kWindowRoundness = -6;
inline constexpr platform::Long kCheckWindowPosition = -7;
inline constexpr platform::Long kSaveWindowPosition = -8;
inline constexpr platform::Long kCustomTitleBar = -9;
inline constexpr platform::Long kDynamicSizing = -11;
inline constexpr platform::Long kMaximizeAutomatic = -12;
inline constexpr platform::Long kCenterControls = -13;
inline constexpr platform::Long kNoPropertyStyling = -14;
inline constexpr platform::Long kDisableStyling = -15;
inline constexpr platform::Long kControlPosition = -16;
inline constexpr platform::Long kResizeStrategy = -17;
inline constexpr platform::Long kImageOnControl = -18;

}  // namespace restyle::engine
