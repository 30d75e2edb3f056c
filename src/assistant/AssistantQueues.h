// The rows of the assistant's queues and of its request ring.
#pragma once

#include "platform/data/Queue.h"
#include "platform/data/Record.h"

// A request for the character: a slot of the ring, and a row of the
// requests not yet carried out.
#define BUFFERAGENTEVENT_FIELDS(X)          \
    X(platform::Long, EVENT)                \
    X(platform::Long, XPOS)                 \
    X(platform::Long, YPOS)                 \
    X(platform::Long, SPEED)                \
    X(platform::CString<500>, STRINGVALUE)  \
    X(platform::CString<21>, REQUEST)       \
    X(platform::Byte, DONE)
struct BUFFERAGENTEVENTRecord {
    TABLOOM_RECORD(BUFFERAGENTEVENTRecord, "", BUFFERAGENTEVENT_FIELDS)
};

// An announced procedure and the thread of its open window (0 once closed).
#define PROCEDURETHREADQUEUE_FIELDS(X)       \
    X(platform::CString<81>, PROCEDURENAME)  \
    X(platform::Byte, THREAD)
struct PROCEDURETHREADQUEUERecord {
    TABLOOM_RECORD(PROCEDURETHREADQUEUERecord, "", PROCEDURETHREADQUEUE_FIELDS)
};

// A procedure's assistant button: its control number, 0 for none.
#define MENTAVOBUTTONQUEUE_FIELDS(X)         \
    X(platform::CString<81>, PROCEDURENAME)  \
    X(platform::Long, CONTROLEQUATE)
struct MENTAVOBUTTONQUEUERecord {
    TABLOOM_RECORD(MENTAVOBUTTONQUEUERecord, "", MENTAVOBUTTONQUEUE_FIELDS)
};

// A recorded event: which window, event and control, where the pointer was
// (-32768 for none), what it was and held, and the hundredths since the row
// before it.
#define EVENTQUEUE_FIELDS(X)                 \
    X(platform::CString<81>, PROCEDURENAME)  \
    X(platform::Long, EVENT)                 \
    X(platform::Long, CONTROL)               \
    X(platform::Long, XPOS)                  \
    X(platform::Long, YPOS)                  \
    X(platform::CString<254>, INFO)          \
    X(platform::CString<254>, VALUE)         \
    X(platform::Long, EVENTTIME)
struct EVENTQUEUERecord {
    TABLOOM_RECORD(EVENTQUEUERecord, "", EVENTQUEUE_FIELDS)
};
