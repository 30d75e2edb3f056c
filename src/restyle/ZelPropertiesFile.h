// ZELPROPERTIESFILE, file "ZelProperties": which catalogue properties each
// control type offers.
#pragma once

#include "platform/data/Record.h"
#include "platform/files/FileKey.h"
#include "platform/files/KeyedFile.h"

#define ZELPROPERTIESFILE_FIELDS(X)              \
    X(platform::Long, CONTROLTYPEEQUATE)         \
    X(platform::String<64>, PROPERTY)            \
    X(platform::Long, PROPERTYEQUATE)            \
    X(platform::String<255>, PROPERTYDESCRIPTION) \
    X(platform::Byte, HIDEFROMENDUSER)
struct ZELPROPERTIESFILERecord {
    TABLOOM_RECORD(ZELPROPERTIESFILERecord, "ZELPROPERTIESFILE", ZELPROPERTIESFILE_FIELDS)
};

class ZelPropertiesFile : public platform::KeyedFile {
public:
    explicit ZelPropertiesFile(std::string name = "ZelProperties");

    ZELPROPERTIESFILERecord rec;
    platform::FileKey P_KEY_ZELPF;
};
