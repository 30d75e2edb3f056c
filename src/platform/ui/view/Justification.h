// Where a control puts its text: the last of Left, Right, Center and Decimal
// written true (an offset written chooses its justification too), the offset
// of the chosen one in dialog units. Buttons, check boxes and radio buttons
// read Left and Right as the side of their icon or box.
#pragma once

#include "platform/text/Text.h"

#include <QMargins>
#include <Qt>

namespace platform {

class Window;

class Justification {
public:
    // Takes a write of one of the justification properties; false for any other.
    bool take(const Window& window, Long control, Long prop);
    Qt::Alignment alignment() const;
    bool right() const;
    // Left, Right, Center or Decimal (a sheet's Below and Above); 0 for none.
    Long chosen() const { return chosen_; }
    // The chosen justification's offset, in dialog units.
    int offset(const Window& window, Long control) const;
    // Room of that many pixels on the side the text is aligned to.
    QMargins margins(int pixels) const;

private:
    Long chosen_ = 0;  // a justification property; 0 for the control's own
};

}  // namespace platform
