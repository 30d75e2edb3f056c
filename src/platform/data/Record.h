// A record declared once: its members and its field table come from one list,
// so the two can never disagree in order, name or type.
//
//   #define GTQ_FIELDS(X) X(platform::CString<129>, CATALOG) X(platform::Long, NCOLUMNTYPE)
//   struct GTQRecord {
//       TABLOOM_RECORD(GTQRecord, "GTQ", GTQ_FIELDS)
//       std::string catalogueName() const;  // other members as usual
//   };
//
// Field names are kept as the runtime reports them for the record: upper case
// without the prefix ("CATALOG"); the table keeps the prefix beside them, so
// both "CATALOG" and "GTQ:CATALOG" find the field. A record without a prefix
// passes "". A field whose runtime name C++ cannot spell gives it as a third
// argument: X(platform::Byte, PROP_STD, "PROP:STD").
#pragma once

#include "platform/data/FieldTable.h"

#define TABLOOM_RECORD_FIRST(first, ...) first
#define TABLOOM_RECORD_MEMBER(type, name, ...) type name{};
#define TABLOOM_RECORD_FIELD(type, name, ...) \
    ::platform::field(TABLOOM_RECORD_FIRST(__VA_ARGS__ __VA_OPT__(, ) #name), &TabloomRecordSelf::name),

#define TABLOOM_RECORD(Self, prefix, FIELDS)                                      \
    FIELDS(TABLOOM_RECORD_MEMBER)                                                 \
    static const ::platform::FieldTable& fieldTable() {                           \
        using TabloomRecordSelf = Self;                                           \
        static const ::platform::FieldTable table{prefix, {FIELDS(TABLOOM_RECORD_FIELD)}}; \
        return table;                                                             \
    }
