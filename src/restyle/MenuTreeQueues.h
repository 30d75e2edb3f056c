// The rows the tree menu is made of: what the frame registered of its menu,
// the menu as a tree, and the icons and styles its rows draw with.
#pragma once

#include "platform/data/Record.h"
#include "platform/text/Text.h"

// One menu or item the frame registered, in the order it registered them.
// MENUSETTING: 0 stays on the frame only, 1 moves to the tree, 2 is hidden
// everywhere, anything else shows in both. ORGINALHIDESETTING: 0 until the
// control's first visibility is recorded, then 10 + its PROP:Hide then.
#define CONFIGUREMENUSTRUCTUREQUEUE_FIELDS(X) \
    X(platform::Long, CONTROLEQUATE)          \
    X(platform::Byte, MENUSETTING)            \
    X(platform::Byte, ORGINALHIDESETTING)
struct CONFIGUREMENUSTRUCTUREQUEUERecord {
    TABLOOM_RECORD(CONFIGUREMENUSTRUCTUREQUEUERecord, "", CONFIGUREMENUSTRUCTUREQUEUE_FIELDS)
};

// A control that never enters the tree, with everything below it.
#define EXCLUDEMENUITEMQUEUE_FIELDS(X)      \
    X(platform::Long, PARENTCONTROLEQUATE)  \
    X(platform::Long, CONTROLEQUATE)
struct EXCLUDEMENUITEMQUEUERecord {
    TABLOOM_RECORD(EXCLUDEMENUITEMQUEUERecord, "", EXCLUDEMENUITEMQUEUE_FIELDS)
};

// One node of the tree, depth first. Its first four fields are the tree
// list's columns: the text, the icon number, the level (1 on the bar;
// negative while collapsed) and the style number.
#define MENUSTRUCTUREQUEUE_FIELDS(X)       \
    X(platform::CString<256>, MENUITEM)    \
    X(platform::Short, ICON)               \
    X(platform::Long, LEVEL)               \
    X(platform::Short, STYLE)              \
    X(platform::Short, LOADED)             \
    X(platform::Long, CONTROLEQUATE)       \
    X(platform::Long, PARENTEQUATE)        \
    X(platform::Byte, CHILDINDEX)          \
    X(platform::Byte, STDPROPERTY)         \
    X(platform::Byte, HASCHILDREN)         \
    X(platform::Byte, AUTOOPENED)          \
    X(platform::Byte, MENUSETTING)
struct MENUSTRUCTUREQUEUERecord {
    TABLOOM_RECORD(MENUSTRUCTUREQUEUERecord, "", MENUSTRUCTUREQUEUE_FIELDS)
};

// The tree's icons: rows 0 and 1 the default, then one per icon name.
#define MENUSTRUCTUREICONQUEUE_FIELDS(X)  \
    X(platform::Short, ICONNUMBER)        \
    X(platform::CString<256>, ICON)       \
    X(platform::Long, CONTROLEQUATE)
struct MENUSTRUCTUREICONQUEUERecord {
    TABLOOM_RECORD(MENUSTRUCTUREICONQUEUERecord, "", MENUSTRUCTUREICONQUEUE_FIELDS)
};

// The tree's row styles: style n draws with row n's font and colours.
#define MENUSTRUCTUREFONTQUEUE_FIELDS(X)  \
    X(platform::Short, FONTNUMBER)        \
    X(platform::Long, CONTROLEQUATE)      \
    X(platform::String<64>, FONTNAME)     \
    X(platform::Byte, FONTSIZE)           \
    X(platform::Long, FONTSTYLE)          \
    X(platform::Byte, FONTCHARSET)        \
    X(platform::Long, TEXTCOLOR)          \
    X(platform::Long, BACKCOLOR)          \
    X(platform::Long, TEXTSELECTED)       \
    X(platform::Long, BACKSELECTED)
struct MENUSTRUCTUREFONTQUEUERecord {
    TABLOOM_RECORD(MENUSTRUCTUREFONTQUEUERecord, "", MENUSTRUCTUREFONTQUEUE_FIELDS)
};
