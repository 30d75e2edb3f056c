// ZELCONDITIONFILE, file "ZelConditional": the conditions of a set, in
// CONDITIONALID order, comparisons alternating with connectives ("AND",
// "OR"; PROPERTYEQUATE 0).
#pragma once

#include "platform/data/Record.h"
#include "platform/files/FileKey.h"
#include "platform/files/KeyedFile.h"

#define ZELCONDITIONFILE_FIELDS(X)          \
    X(platform::Long, CONDITIONALSETID)     \
    X(platform::Long, CONDITIONALID)        \
    X(platform::String<64>, CONTROL)        \
    X(platform::Long, PROPERTYEQUATE)       \
    X(platform::String<10>, OPERATOR)       \
    X(platform::String<255>, VALUE)         \
    X(platform::Byte, MANUALVALUE)
struct ZELCONDITIONFILERecord {
    TABLOOM_RECORD(ZELCONDITIONFILERecord, "ZELCONDITIONFILE", ZELCONDITIONFILE_FIELDS)
};

class ZelConditionFile : public platform::KeyedFile {
public:
    explicit ZelConditionFile(std::string name = "ZelConditional");

    ZELCONDITIONFILERecord rec;
    platform::FileKey P_KEY_ZELCD;
};
