// ZELCONDITIONSETFILE, file "ZelConditionalSet": one row per condition set.
// S_KEY_ZELCS orders a user's sets by profile, procedure, group and name
// without regard to case, each once; P_KEY_ZELCS runs from the highest set
// number down.
#pragma once

#include "platform/data/Record.h"
#include "platform/files/FileKey.h"
#include "platform/files/KeyedFile.h"

#define ZELCONDITIONSETFILE_FIELDS(X)        \
    X(platform::String<80>, USERNAME)        \
    X(platform::String<80>, PROFILE)         \
    X(platform::String<80>, PROCEDURENAME)   \
    X(platform::String<128>, GROUPNAME)      \
    X(platform::String<64>, CONDITIONALSET)  \
    X(platform::Long, CONDITIONALSETID)
struct ZELCONDITIONSETFILERecord {
    TABLOOM_RECORD(ZELCONDITIONSETFILERecord, "ZELCONDITIONSETFILE", ZELCONDITIONSETFILE_FIELDS)
};

class ZelConditionSetFile : public platform::KeyedFile {
public:
    explicit ZelConditionSetFile(std::string name = "ZelConditionalSet");

    ZELCONDITIONSETFILERecord rec;
    platform::FileKey S_KEY_ZELCS;
    platform::FileKey P_KEY_ZELCS;
};
