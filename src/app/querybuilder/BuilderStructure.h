// The query builder's window structure and the queues its controls show: the
// operators, the condition rows and the connector choices.
#pragma once

#include "platform/data/Queue.h"
#include "platform/data/Record.h"
#include "platform/ui/WindowSpec.h"

namespace querybuilder {

inline constexpr int kRowListFontSize = 10;

// An operator: its text, its SQL and the page of the operator sheet that
// takes its value (1 value, 2 collection, 3 range, 4 existence, 5 sound,
// 6 difference).
#define QFQ_FIELDS(X)                    \
    X(platform::String<255>, DESCRIPTION) \
    X(platform::CString<255>, SQLFUNCTION) \
    X(platform::Byte, SQLTAB)
struct QFQRecord {
    TABLOOM_RECORD(QFQRecord, "QFQ", QFQ_FIELDS)
};

// A row: a condition, a connector ("AND" / "OR") or a placeholder ("???"),
// held as readable text and as SQL.
#define QBE_FIELDS(X)                      \
    X(platform::CString<255>, FIELD)        \
    X(platform::CString<255>, SQLFUNCTION)  \
    X(platform::CString<255>, VALUE)        \
    X(platform::Byte, ISSTRINGVALUE)        \
    X(platform::Byte, CASEINSENTIVE)        \
    X(platform::CString<3000>, QUERYINTEXT) \
    X(platform::CString<3000>, SQLQUERY)
struct QBERecord {
    TABLOOM_RECORD(QBERecord, "QBE", QBE_FIELDS)
};

// A choice of the connector editor.
#define QAOQ_FIELDS(X) X(platform::CString<4>, OPERATOR)
struct QAOQRecord {
    TABLOOM_RECORD(QAOQRecord, "QAOQ", QAOQ_FIELDS)
};

// The procedure's locals, which its window binds.
struct QueryBuilderLocals {
    platform::Queue<QFQRecord> QFQ;
    platform::Queue<QBERecord> QBE;
    platform::Queue<QAOQRecord> QAOQ;
    platform::CString<256> ValueText;
};

// Adds the operators, in the order the list shows them.
void addOperators(platform::Queue<QFQRecord>& operators);

platform::WindowSpec builderWindow(QueryBuilderLocals& locals);

}  // namespace querybuilder
