// Base of the per-window restyle class and of the style manager: where the
// restyle settings are kept. Its persistence comes with the restyle data
// files; until then it only holds the user name it is bound to.
#pragma once

#include "platform/text/Text.h"

class ZelRestyleBaseClass {
public:
    virtual ~ZelRestyleBaseClass() = default;
    // The user name is bound by reference: later changes of the variable count.
    virtual void SetUserName(platform::String<255>& userName) { userName_ = &userName; }
    const platform::String<255>* userName() const { return userName_; }

private:
    platform::String<255>* userName_ = nullptr;
};
