// The property catalogue's row: the vocabulary of the restyle system, one
// row per restylable property (the style manager fills it at set-up; restyle
// objects and expressions read it).
//
// PROPERTY is the name used in expressions and stored rows (upper case for
// the platform's properties, the translated name for the engine's own),
// PROPERTYDESCRIPTION the text the editors show and the queue's order,
// PROPERTYEQUATE the property number (negative for the engine's own), TYPE
// the editor that enters its value, CUSTOMPROPERTY 1 for the engine's own.
#pragma once

#include "platform/data/Queue.h"
#include "platform/data/Record.h"

#define CATALOGUE_FIELDS(X)                        \
    X(platform::CString<64>, PROPERTY)             \
    X(platform::CString<256>, PROPERTYDESCRIPTION) \
    X(platform::Long, PROPERTYEQUATE)              \
    X(platform::Byte, MARK)                        \
    X(platform::Byte, TYPE)                        \
    X(platform::Byte, CUSTOMPROPERTY)
struct CatalogueRecord {
    TABLOOM_RECORD(CatalogueRecord, "", CATALOGUE_FIELDS)
};

using PropertyCatalogue = platform::Queue<CatalogueRecord>;

// The kinds of control that properties are stored for, in CONTROLTYPE
// order: the upper-case name, a list mark, and the control type's number
// (-1 stands for the styled message box, which is no control).
#define CONTROLTYPES_FIELDS(X)               \
    X(platform::CString<64>, CONTROLTYPE)    \
    X(platform::Byte, MARK)                  \
    X(platform::Long, CONTROLTYPEEQUATE)
struct ControlTypeRecord {
    TABLOOM_RECORD(ControlTypeRecord, "", CONTROLTYPES_FIELDS)
};

using ControlTypeList = platform::Queue<ControlTypeRecord>;
