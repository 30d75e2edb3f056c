// ZELRESTYLEFILE, file "ZelRestyle": the stored values, one row per (set,
// property, parameter). The rows' conventions are in RestyleRows.h.
#pragma once

#include "platform/data/Record.h"
#include "platform/files/FileKey.h"
#include "platform/files/KeyedFile.h"

#define ZELRESTYLEFILE_FIELDS(X)              \
    X(platform::Long, CONDITIONALSETID)       \
    X(platform::String<64>, PROPERTY)         \
    X(platform::String<64>, PARAMETER)        \
    X(platform::String<512>, VALUE)
struct ZELRESTYLEFILERecord {
    TABLOOM_RECORD(ZELRESTYLEFILERecord, "ZELRESTYLEFILE", ZELRESTYLEFILE_FIELDS)
};

class ZelRestyleFile : public platform::KeyedFile {
public:
    explicit ZelRestyleFile(std::string name = "ZelRestyle");

    ZELRESTYLEFILERecord rec;
    platform::FileKey P_KEY_ZELRF;
};
