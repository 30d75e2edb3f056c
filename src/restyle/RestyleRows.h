// The conventions every reader and writer of the restyle data files follows:
// reserved names and set numbers, and the texts that name groups and
// properties.
#pragma once

#include "platform/data/Record.h"
#include "platform/text/Text.h"

#include <string>
#include <string_view>

namespace restyle {

// Condition sets.
inline constexpr std::string_view kGlobalSettings = "~Global settings";  // procedure of program-wide sets; also
                                                                         // user and profile of the profile row
inline constexpr std::string_view kUnconditional = "-Unconditional-";
inline constexpr std::string_view kImagesGroup = "~Images~";
inline constexpr std::string_view kCurrentSelectedProfile = "~Current selected profile";
// The group (and set name) of the marker a new profile gets, followed by the
// date and time it was made.
inline constexpr std::string_view kNewAccountAdded = "~New account added ";

// The procedure name the style manager's message box is styled under.
inline constexpr std::string_view kMessageProcedure = "~ZelRestyleMessage~";

// Reserved set numbers and their properties.
inline constexpr platform::Long kTreeMenuSet = -3;
inline constexpr std::string_view kTreeMenuDock = "~TreeMenu Dock";
inline constexpr std::string_view kTreeMenuPosition = "~TreeMenu Position";
inline constexpr platform::Long kFadingSet = -7;
inline constexpr std::string_view kUseFading = "~Use Fading";

// The control type that stands for the styled message box, which is no
// control.
inline constexpr platform::Long kMessageBoxes = -1;

// "ControlType 9": the group of every control of a type.
std::string controlTypeGroup(platform::Long controlType);
// "Control ?CLOSEBUTTON": the group of one control, by its label in upper case.
std::string controlGroup(std::string_view label);
// "property 31744": a property setting of a control.
std::string propertyName(platform::Long property);
// "~DEFAULT:Images" and "~DEFAULT:Image 1": a profile's window images.
std::string imagesProperty(std::string_view profile);
std::string imageProperty(std::string_view profile, platform::Long image);

}  // namespace restyle

// One property setting, stored as its three rows "ENABLED" (1 = in force),
// "VALUE" and "CLARIONVALUE" (1 = VALUE is an expression).
#define PROPERTYSETTING_FIELDS(X)        \
    X(platform::Byte, ENABLED)           \
    X(platform::String<512>, VALUE)      \
    X(platform::Byte, CLARIONVALUE)
struct PROPERTYSETTINGRecord {
    TABLOOM_RECORD(PROPERTYSETTINGRecord, "", PROPERTYSETTING_FIELDS)
};

// One background image of a window, stored as one row per field under
// "~" + profile + ":Image " + n.
#define IMAGEQUEUE_FIELDS(X)                 \
    X(platform::Byte, IMAGEORDER)            \
    X(platform::CString<256>, IMAGEFILE)     \
    X(platform::Short, XPOS)                 \
    X(platform::Short, YPOS)                 \
    X(platform::Short, WIDTH)                \
    X(platform::Byte, WIDTHINPERCENTAGE)     \
    X(platform::Short, HEIGHT)               \
    X(platform::Byte, HEIGHTINPERCENTAGE)    \
    X(platform::Byte, STYLE)                 \
    X(platform::Byte, MOVEFROM)              \
    X(platform::Short, SHIFTXPOS)            \
    X(platform::Byte, SHIFTXINPERCENTAGE)    \
    X(platform::Short, SHIFTYPOS)            \
    X(platform::Byte, SHIFTYINPERCENTAGE)    \
    X(platform::Long, IMAGEEQUATE)           \
    X(platform::Byte, FIXED)
struct IMAGEQUEUERecord {
    TABLOOM_RECORD(IMAGEQUEUERecord, "", IMAGEQUEUE_FIELDS)
};
