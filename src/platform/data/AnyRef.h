// A reference of any type (the runtime's ANY reference): bound to a variable
// of one of the runtime's types, read and written as text or number with the
// runtime's conversions. A default reference is bound to nothing; using it is
// a programming error.
//
//   platform::AnyRef value = record.VALUE;  // binds, copies nothing
//   value.setText("abc");                   // writes record.VALUE
#pragma once

#include "platform/data/FieldTable.h"

namespace platform {

class AnyRef {
public:
    AnyRef() = default;
    template <class T>
        requires requires { detail::FieldKind<T>::type; }
    AnyRef(T& variable) : info_{{}, detail::FieldKind<T>::type, 0, sizeof(T)}, place_(&variable) {}

    bool bound() const { return place_ != nullptr; }
    // The longest text the variable holds (its width); 0 for numbers.
    std::size_t capacity() const;
    std::string text() const { return ref().text(); }
    double number() const { return ref().number(); }
    void setText(std::string_view text) const { ref().setText(text); }
    void setNumber(double value) const { ref().setNumber(value); }

private:
    FieldRef ref() const { return FieldRef(info_, place_); }

    FieldInfo info_{{}, FieldType::Long, 0, 0};
    void* place_ = nullptr;
};

}  // namespace platform
