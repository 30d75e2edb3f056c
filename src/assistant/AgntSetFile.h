// AGNTSET, file "AGNTSET": the assistant's settings, one row per setting,
// the value as text (numbers in decimal).
#pragma once

#include "platform/data/Record.h"
#include "platform/files/FileKey.h"
#include "platform/files/KeyedFile.h"

#define AGNTSET_FIELDS(X)              \
    X(platform::CString<81>, SETTING)  \
    X(platform::CString<81>, VALUE)
struct AGNTSETRecord {
    TABLOOM_RECORD(AGNTSETRecord, "AGS", AGNTSET_FIELDS)
};

class AgntSetFile : public platform::KeyedFile {
public:
    explicit AgntSetFile(std::string name = "AGNTSET");

    AGNTSETRecord rec;
    platform::FileKey KEY_AGS;
};
