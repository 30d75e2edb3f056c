// The properties window: the control types, the properties offered for the
// chosen one, the catalogue with the buttons that add and remove between
// them, the hide flag and the two descriptions.
#pragma once

#include "platform/data/Queue.h"
#include "platform/data/Record.h"
#include "platform/ui/WindowSpec.h"
#include "restyle/PropertyCatalogue.h"

// A property-file row of the chosen control type, with the POSITION it was
// read at, so that it can be read again for a change or a delete.
#define OFFEREDPROPERTY_FIELDS(X)                 \
    X(platform::Long, CONTROLTYPEEQUATE)          \
    X(platform::Long, PROPERTYEQUATE)             \
    X(platform::String<64>, PROPERTY)             \
    X(platform::String<255>, PROPERTYDESCRIPTION) \
    X(platform::Byte, HIDEFROMENDUSER)            \
    X(platform::String<128>, POSITION)            \
    X(platform::Byte, MARK)
struct OFFEREDPROPERTYRecord {
    TABLOOM_RECORD(OFFEREDPROPERTYRecord, "", OFFEREDPROPERTY_FIELDS)
};

struct ConfigurePropertiesLocals {
    platform::Queue<OFFEREDPROPERTYRecord> OFFERED;
    platform::Byte HIDEFROMENDUSER = 0;
};

platform::WindowSpec P13_CONFIGUREWINDOW(ConfigurePropertiesLocals& locals, ControlTypeList& controlTypes,
                                         PropertyCatalogue& catalogue);
