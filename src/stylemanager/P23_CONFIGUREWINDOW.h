// The restyle editor's window: the user and profile, the scope, the tree of
// control types with their controls, and on its sheet the chosen row's
// condition sets, the properties offered and the pages that edit one.
#pragma once

#include "platform/data/Queue.h"
#include "platform/data/Record.h"
#include "platform/ui/WindowSpec.h"
#include "restyle/RestyleRows.h"
#include "restyle/ZelRestyleBaseClass.h"

// A row of the tree: a control type (level 1) or one of its controls (2),
// negative while collapsed; the three markers say where sets exist.
#define CONTROLTREEQUEUE_FIELDS(X)                \
    X(platform::String<2>, GLOBALPROPERTY)        \
    X(platform::String<2>, LOCALPROPERTY)         \
    X(platform::String<2>, SPECIFICPROPERTY)      \
    X(platform::CString<256>, DISPLAY)            \
    X(platform::Long, LEVEL)                      \
    X(platform::Short, STYLE)                     \
    X(platform::Short, LOADED)                    \
    X(platform::Long, CONTROLTYPEEQUATE)          \
    X(platform::Long, CONTROLEQUATE)              \
    X(platform::Byte, NUMBEROFCONTROLS)           \
    X(platform::CString<64>, CONTROLEQUATESTRING) \
    X(platform::Long, PARENTPOINTER)
struct CONTROLTREEQUEUERecord {
    TABLOOM_RECORD(CONTROLTREEQUEUERecord, "", CONTROLTREEQUEUE_FIELDS)
};

#define EDITORPROPERTIES_FIELDS(X)                \
    X(platform::String<2>, PROPERTYENABLED)       \
    X(platform::Long, CONTROLTYPEEQUATE)          \
    X(platform::Long, PROPERTYEQUATE)             \
    X(platform::String<64>, PROPERTY)             \
    X(platform::String<255>, PROPERTYDESCRIPTION)
struct EDITORPROPERTIESRecord {
    TABLOOM_RECORD(EDITORPROPERTIESRecord, "", EDITORPROPERTIES_FIELDS)
};

struct ConfigureRestyleLocals {
    platform::Queue<CONTROLTREEQUEUERecord> CONTROLTREEQUEUE;
    platform::Queue<EDITORPROPERTIESRecord> PROPERTIESQUEUE;
    platform::Byte SHOWALLCONTROLTYPES = 0;
    platform::Byte SHOWMODIFIEDCONTROLTYPESONLY = 0;
    platform::CString<256> USER;
    platform::CString<256> PROFILE;
    platform::CString<81> DESCRIPTION;  // what ?PROCEDURENAME shows
    PROPERTYSETTINGRecord PROPERTY;     // the property being edited
};

platform::WindowSpec P23_CONFIGUREWINDOW(ConfigureRestyleLocals& locals,
                                         platform::Queue<CONDITIONSETQUEUERecord>& conditionSets,
                                         platform::Queue<CONDITIONQUEUERecord>& conditions);
