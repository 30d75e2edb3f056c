#include "platform/files/KeyColumn.h"

namespace platform {
namespace {

bool isText(FieldType type) { return type == FieldType::CString || type == FieldType::String; }

std::string derivedName(const FieldInfo& field, bool descending, bool nocase) {
    std::string name = field.name;
    if (nocase) name += ":NOCASE";
    if (descending) name += ":DESC";
    return name == field.name ? name + ":CLIP" : name;
}

// Bytes whose bytewise order is the reverse of the texts': each byte
// complemented, NUL escaped and an end mark added, so that a text also sorts
// before the texts it begins.
std::string reversedOrder(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    for (char c : text) {
        if (c == '\0') {
            out += '\xFF';
            out += '\0';
        } else {
            out += static_cast<char>(0xFF - static_cast<unsigned char>(c));
        }
    }
    return out + "\xFF\xFF";
}

}  // namespace

KeyColumn::KeyColumn(const FieldInfo& field, bool descending, bool nocase)
    : field_(&field),
      descending_(descending),
      nocase_(nocase && isText(field.type)),
      derived_(descending_ || nocase_ || field.type == FieldType::CString),
      name_(derived_ ? derivedName(field, descending_, nocase_) : field.name) {}

void KeyColumn::value(const void* record, ColumnValue& into) const {
    storeValue(*field_, record, into);
    if (!derived_) return;
    if (auto* number = std::get_if<std::int64_t>(&into)) *number = -*number;
    else if (auto* real = std::get_if<double>(&into)) *real = -*real;
    else {
        std::string text = clip(std::get<std::string>(into));
        if (nocase_) text = upper(text);
        into = descending_ ? reversedOrder(text) : std::move(text);
    }
}

}  // namespace platform
