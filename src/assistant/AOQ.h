// The subjects of a procedure as the assistant's windows list them.
#pragma once

#include "platform/data/Record.h"

#define AOQ_FIELDS(X) X(platform::CString<51>, ONDERWERP)
struct AOQRecord {
    TABLOOM_RECORD(AOQRecord, "AOQ", AOQ_FIELDS)
};
