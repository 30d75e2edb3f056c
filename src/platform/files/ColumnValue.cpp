#include "platform/files/ColumnValue.h"

namespace platform {

const char* sqlType(FieldType type) {
    switch (type) {
        case FieldType::Real: return "REAL";
        case FieldType::CString:
        case FieldType::String: return "BLOB";
        default: return "INTEGER";
    }
}

ColumnValue storedValue(const FieldInfo& field, const void* record) {
    const FieldRef ref(field, const_cast<void*>(record));
    switch (field.type) {
        case FieldType::Real: return ref.number();
        case FieldType::CString: return ref.text();
        case FieldType::String: return clip(ref.text());
        default: return static_cast<std::int64_t>(ref.number());
    }
}

}  // namespace platform
