// The control list's row: one per control a window registered with its
// restyle object, in order of control type. CONTROLEQUATESTRING is the label
// as expressions name it (clipped, upper case, with its "?"); the PROP:
// fields hold the control's properties as they were at registration, so that
// removing the styling can put them back. PROP:COLOR, PROP:BACKGROUND and
// PROP:FILLCOLOR all hold the one colour property.
#pragma once

#include "platform/data/Queue.h"
#include "platform/data/Record.h"

#define CONTROLLIST_FIELDS(X)                                             \
    X(platform::Long, CONTROLEQUATE)                                      \
    X(platform::CString<128>, CONTROLEQUATESTRING)                        \
    X(platform::CString<255>, CONTROLDESCRIPTION)                         \
    X(platform::Long, CONTROLTYPEEQUATE)                                  \
    X(platform::Byte, PROP_STD, "PROP:STD")                               \
    X(platform::CString<512>, PROP_TEXT, "PROP:TEXT")                     \
    X(platform::Short, PROP_XPOS, "PROP:XPOS")                            \
    X(platform::Short, PROP_YPOS, "PROP:YPOS")                            \
    X(platform::Short, PROP_WIDTH, "PROP:WIDTH")                          \
    X(platform::Short, PROP_HEIGHT, "PROP:HEIGHT")                        \
    X(platform::Short, PROP_FONT, "PROP:FONT")                            \
    X(platform::CString<256>, PROP_FONTNAME, "PROP:FONTNAME")             \
    X(platform::Short, PROP_FONTSIZE, "PROP:FONTSIZE")                    \
    X(platform::Long, PROP_FONTCOLOR, "PROP:FONTCOLOR")                   \
    X(platform::Long, PROP_FONTSTYLE, "PROP:FONTSTYLE")                   \
    X(platform::Long, PROP_COLOR, "PROP:COLOR")                           \
    X(platform::Long, PROP_BACKGROUND, "PROP:BACKGROUND")                 \
    X(platform::Long, PROP_FILLCOLOR, "PROP:FILLCOLOR")                   \
    X(platform::Long, PROP_SELECTEDCOLOR, "PROP:SELECTEDCOLOR")           \
    X(platform::Long, PROP_SELECTEDFILLCOLOR, "PROP:SELECTEDFILLCOLOR")   \
    X(platform::Byte, PROP_DISABLE, "PROP:DISABLE")                       \
    X(platform::Byte, PROP_FLAT, "PROP:FLAT")                             \
    X(platform::Byte, PROP_TRN, "PROP:TRN")                               \
    X(platform::Byte, PROP_MAXIMIZE, "PROP:MAXIMIZE")                     \
    X(platform::CString<256>, PROP_ICON, "PROP:ICON")                     \
    X(platform::CString<256>, PROP_WALLPAPER, "PROP:WALLPAPER")
struct ControlListRecord {
    TABLOOM_RECORD(ControlListRecord, "", CONTROLLIST_FIELDS)
};

using ControlList = platform::Queue<ControlListRecord>;
