#include "platform/files/ColumnValue.h"

#include <cstring>

namespace platform {

const char* sqlType(FieldType type) {
    switch (type) {
        case FieldType::Real: return "REAL";
        case FieldType::CString:
        case FieldType::String: return "BLOB";
        default: return "INTEGER";
    }
}

void assignBytes(ColumnValue& into, std::string_view bytes) {
    if (auto* text = std::get_if<std::string>(&into)) text->assign(bytes);
    else into = std::string(bytes);
}

void storeValue(const FieldInfo& field, const void* record, ColumnValue& into) {
    const char* place = static_cast<const char*>(record) + field.offset;
    switch (field.type) {
        case FieldType::CString: return assignBytes(into, std::string_view(place, strnlen(place, field.size)));
        case FieldType::String: {
            // Wide fields are mostly blanks: skip them a word at a time.
            std::size_t size = field.size;
            while (size >= 8 && std::memcmp(place + size - 8, "        ", 8) == 0) size -= 8;
            while (size > 0 && place[size - 1] == ' ') --size;
            return assignBytes(into, std::string_view(place, size));
        }
        case FieldType::Real: into = FieldRef(field, const_cast<void*>(record)).number(); return;
        default: into = static_cast<std::int64_t>(FieldRef(field, const_cast<void*>(record)).number());
    }
}

}  // namespace platform
