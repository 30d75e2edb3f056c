#include "platform/ui/view/Justification.h"

#include "platform/ui/Equates.h"
#include "platform/ui/Window.h"

namespace platform {
namespace {

bool isJustification(Long prop) {
    return prop == PROP::Left || prop == PROP::Right || prop == PROP::Center || prop == PROP::Decimal;
}

}  // namespace

bool Justification::take(const Window& window, Long control, Long prop) {
    if (isJustification(prop)) {
        if (window.numberProperty(control, prop) != 0)
            chosen_ = prop;
        else if (chosen_ == prop)
            chosen_ = 0;
        return true;
    }
    // Each offset follows its justification: LEFT(2) is 7C09h after 7C08h.
    if (isJustification(prop - 1)) {
        chosen_ = prop - 1;
        return true;
    }
    return false;
}

Qt::Alignment Justification::alignment() const {
    switch (chosen_) {
        case PROP::Right:
        case PROP::Decimal: return Qt::AlignRight | Qt::AlignVCenter;
        case PROP::Center: return Qt::AlignHCenter | Qt::AlignVCenter;
        default: return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

bool Justification::right() const { return chosen_ == PROP::Right || chosen_ == PROP::Decimal; }

int Justification::offset(const Window& window, Long control) const {
    return chosen_ == 0 ? 0 : window.numberProperty(control, chosen_ + 1);
}

QMargins Justification::margins(int pixels) const {
    return right() ? QMargins(0, 0, pixels, 0) : QMargins(pixels, 0, 0, 0);
}

}  // namespace platform
