// AGNTFILE, file "AGNTFILE": the steps authors define, per procedure and
// subject. A subject's rows are its header (STEP 0, carrying the procedure's
// description) and its steps 1, 2, ... in order of STEP. Names and subjects
// are compared with their case, as every part of the assistant writes them.
#pragma once

#include "platform/data/Record.h"
#include "platform/files/FileKey.h"
#include "platform/files/KeyedFile.h"

// The fields up to STEP, and those after it: the author windows' working
// records put four colours between them (AgentStap.h).
#define AGNTFILE_HEAD_FIELDS(X)                      \
    X(platform::CString<81>, PROCEDURENAME)          \
    X(platform::CString<81>, PROCEDUREOMSCHRIJVING)  \
    X(platform::CString<51>, ONDERWERP)              \
    X(platform::Long, STEP)
#define AGNTFILE_STEP_FIELDS(X)                      \
    X(platform::Short, POSITIONX)                    \
    X(platform::Short, POSITIONY)                    \
    X(platform::Short, SPEED)                        \
    X(platform::CString<81>, EVENTPROCEDURE)         \
    X(platform::Long, EVENT)                         \
    X(platform::Long, CONTROL)                       \
    X(platform::Byte, DONNOTMOVE)                    \
    X(platform::String<1>, ANIBEFOREORAFTER)         \
    X(platform::CString<51>, ANIMATE)                \
    X(platform::CString<501>, SPEAK)                 \
    X(platform::Byte, ALLEENTEKST)                   \
    X(platform::Byte, AANWIJSRICHTING)               \
    X(platform::String<2>, CURSORPOSTOVAGENT)
#define AGNTFILE_FIELDS(X) AGNTFILE_HEAD_FIELDS(X) AGNTFILE_STEP_FIELDS(X)
struct AGNTFILERecord {
    TABLOOM_RECORD(AGNTFILERecord, "AGF", AGNTFILE_FIELDS)
};

class AgntFile : public platform::KeyedFile {
public:
    explicit AgntFile(std::string name = "AGNTFILE");

    AGNTFILERecord rec;
    platform::FileKey KEY_AGF;
    platform::FileKey KEY_PRC;
};
