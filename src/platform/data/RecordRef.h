// A reference to a record: its field table and its buffer. An empty reference
// stands for a record without fields.
#pragma once

#include "platform/data/FieldTable.h"

namespace platform {

struct RecordRef {
    const FieldTable* fields = nullptr;
    void* buffer = nullptr;

    std::size_t fieldCount() const { return fields ? fields->count() : 0; }
    bool hasField(std::size_t number) const { return number >= 1 && number <= fieldCount(); }
    FieldRef field(std::size_t number) const { return FieldRef(*fields->at(number), buffer); }
};

// A record declared with TABLOOM_RECORD, as a reference.
template <class R>
RecordRef recordRef(R& record) {
    return {&R::fieldTable(), &record};
}

}  // namespace platform
