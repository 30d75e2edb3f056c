// Field tables: the description of a record's fields (name as the system
// writes it, type, size, place), so that code can read and write a record
// field by field, find fields by name and store records generically.
//
// Records declare their fields once with TABLOOM_RECORD (Record.h); tables
// built by hand serve records whose fields have no names (result rows).
#pragma once

#include "platform/text/Text.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

enum class FieldType { Byte, Short, UShort, Long, ULong, Real, CString, String };

struct FieldInfo {
    std::string name;  // without the record's prefix: "TABLENAME"
    FieldType type;
    std::size_t offset;
    std::size_t size;  // bytes the field occupies
};

namespace detail {
template <class T> struct FieldKind;
template <> struct FieldKind<Byte> { static constexpr FieldType type = FieldType::Byte; };
template <> struct FieldKind<Short> { static constexpr FieldType type = FieldType::Short; };
template <> struct FieldKind<UShort> { static constexpr FieldType type = FieldType::UShort; };
template <> struct FieldKind<Long> { static constexpr FieldType type = FieldType::Long; };
template <> struct FieldKind<ULong> { static constexpr FieldType type = FieldType::ULong; };
template <> struct FieldKind<Real> { static constexpr FieldType type = FieldType::Real; };
template <std::size_t N> struct FieldKind<CString<N>> { static constexpr FieldType type = FieldType::CString; };
template <std::size_t N> struct FieldKind<String<N>> { static constexpr FieldType type = FieldType::String; };
}  // namespace detail

template <class Record, class T>
FieldInfo field(std::string name, T Record::*member) {
    static const Record probe{};
    const auto* base = reinterpret_cast<const char*>(&probe);
    const auto* at = reinterpret_cast<const char*>(&(probe.*member));
    return {std::move(name), detail::FieldKind<T>::type, static_cast<std::size_t>(at - base), sizeof(T)};
}

class FieldTable {
public:
    FieldTable(std::vector<FieldInfo> fields) : fields_(std::move(fields)) {}
    FieldTable(std::string prefix, std::vector<FieldInfo> fields)
        : prefix_(std::move(prefix)), fields_(std::move(fields)) {}
    std::size_t count() const { return fields_.size(); }
    // 1-based, as the runtime numbers fields; nullptr past the end.
    const FieldInfo* at(std::size_t number) const;
    // By name with or without the prefix ("OWNER", "GTQ:OWNER"), without
    // regard to case.
    const FieldInfo* find(std::string_view name) const;
    const std::vector<FieldInfo>& all() const { return fields_; }
    const std::string& prefix() const { return prefix_; }
    // The field's name with its prefix, as code writes it: "GTQ:OWNER".
    std::string fullName(const FieldInfo& field) const;

private:
    std::string prefix_;
    std::vector<FieldInfo> fields_;
};

// A field of one record in memory, read and written as text or number with
// the runtime's conversions (CSTRING cut to size-1, STRING padded, numbers
// wrapping like their fixed-width types).
class FieldRef {
public:
    FieldRef(const FieldInfo& info, void* record) : info_(&info), record_(static_cast<char*>(record)) {}
    const FieldInfo& info() const { return *info_; }
    std::string text() const;
    // The bytes of a text field, in place (a CSTRING up to its end); empty
    // for a number.
    std::string_view view() const;
    double number() const;
    void setText(std::string_view text);
    void setNumber(double value);
    void clear();

private:
    char* place() const { return record_ + info_->offset; }
    const FieldInfo* info_;
    char* record_;
};

// Clears every field of a record: blanks in STRING, empty CSTRING, 0 numbers.
void clearRecord(const FieldTable& table, void* record);

}  // namespace platform
