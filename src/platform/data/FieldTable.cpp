#include "platform/data/FieldTable.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace platform {

const FieldInfo* FieldTable::at(std::size_t number) const {
    if (number < 1 || number > fields_.size()) return nullptr;
    return &fields_[number - 1];
}

namespace {
// Without regard to case; queues look fields up at every comparison, so
// nothing is copied.
bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return upperChar(x) == upperChar(y); });
}
}  // namespace

const FieldInfo* FieldTable::find(std::string_view name) const {
    if (!prefix_.empty() && name.size() > prefix_.size() && name[prefix_.size()] == ':' &&
        sameName(name.substr(0, prefix_.size()), prefix_))
        name.remove_prefix(prefix_.size() + 1);
    for (const FieldInfo& f : fields_)
        if (sameName(f.name, name)) return &f;
    return nullptr;
}

std::string FieldTable::fullName(const FieldInfo& field) const {
    return prefix_.empty() ? field.name : prefix_ + ":" + field.name;
}

namespace {

template <class T>
T wrapped(double value) {
    // Integer fields wrap like their fixed-width types; fractions are dropped.
    const double truncated = std::trunc(value);
    if (!std::isfinite(truncated)) return 0;
    const auto wide = static_cast<long long>(std::fmod(truncated, 18446744073709551616.0));
    return static_cast<T>(static_cast<unsigned long long>(wide));
}

template <class T>
T load(const char* p) {
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

template <class T>
void store(char* p, T v) {
    std::memcpy(p, &v, sizeof v);
}

}  // namespace

std::string FieldRef::text() const {
    switch (info_->type) {
        case FieldType::CString:
        case FieldType::String: return std::string(view());
        default: return numberText(number());
    }
}

std::string_view FieldRef::view() const {
    switch (info_->type) {
        case FieldType::CString: return {place(), strnlen(place(), info_->size)};
        case FieldType::String: return {place(), info_->size};
        default: return {};
    }
}

double FieldRef::number() const {
    switch (info_->type) {
        case FieldType::Byte: return load<Byte>(place());
        case FieldType::Short: return load<Short>(place());
        case FieldType::UShort: return load<UShort>(place());
        case FieldType::Long: return load<Long>(place());
        case FieldType::ULong: return load<ULong>(place());
        case FieldType::Real: return load<Real>(place());
        default: return leadingNumber(text());
    }
}

void FieldRef::setText(std::string_view text) {
    switch (info_->type) {
        case FieldType::CString: {
            const std::size_t n = std::min(text.size(), info_->size - 1);
            text.copy(place(), n);  // not memcpy: an empty view may hold a null pointer (SQLite's empty blob)
            place()[n] = '\0';
            return;
        }
        case FieldType::String: {
            const std::size_t n = std::min(text.size(), info_->size);
            text.copy(place(), n);
            std::memset(place() + n, ' ', info_->size - n);
            return;
        }
        default: setNumber(leadingNumber(text));
    }
}

void FieldRef::setNumber(double value) {
    switch (info_->type) {
        case FieldType::Byte: store(place(), wrapped<Byte>(value)); return;
        case FieldType::Short: store(place(), wrapped<Short>(value)); return;
        case FieldType::UShort: store(place(), wrapped<UShort>(value)); return;
        case FieldType::Long: store(place(), wrapped<Long>(value)); return;
        case FieldType::ULong: store(place(), wrapped<ULong>(value)); return;
        case FieldType::Real: store(place(), value); return;
        default: setText(numberText(value));
    }
}

void FieldRef::clear() {
    switch (info_->type) {
        case FieldType::String: std::memset(place(), ' ', info_->size); return;
        default: std::memset(place(), 0, info_->size);
    }
}

void clearRecord(const FieldTable& table, void* record) {
    for (const FieldInfo& f : table.all()) FieldRef(f, record).clear();
}

}  // namespace platform
