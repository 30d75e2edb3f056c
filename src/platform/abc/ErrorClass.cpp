#include "platform/abc/ErrorClass.h"

namespace platform {

void ErrorClass::SetProcedureName(const std::string& name, bool pop) {
    if (pop) {
        if (!names_.empty()) names_.pop_back();
        return;
    }
    names_.push_back(name);
}

}  // namespace platform
