#include "platform/data/AnyRef.h"

namespace platform {

std::size_t AnyRef::capacity() const {
    switch (info_.type) {
        case FieldType::String: return info_.size;
        case FieldType::CString: return info_.size - 1;
        default: return 0;
    }
}

}  // namespace platform
