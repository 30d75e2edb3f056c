// The shared part of the controls the user types into (entries, combos,
// spin boxes, text boxes): typing, leaving, the bound text, and what their
// line of text shows (the picture's width, the justification, read-only).
// Typing follows UPR and CAP (upper case, capitals at word starts) and the
// insert or overwrite mode, whichever of Ins and Ovr was written last.
#pragma once

#include "platform/ui/view/ControlView.h"
#include "platform/ui/view/Justification.h"

class QLineEdit;

namespace platform {

class TypedControlView : public ControlView {
protected:
    using ControlView::ControlView;

    void acceptWhenLeft(QWidget* focusTarget);
    // Upper case, capitals and overwriting for keys typed into the widget.
    void followTypingRules(QWidget* keyTarget);
    void typed(const QString& text);
    void accepted();
    QString screen() const;
    // The line's own properties; false for any other.
    bool applyToLine(QLineEdit* edit, Long prop);
    bool overwrite() const { return overwrite_; }
    // Ins and Ovr written: true when taken.
    bool takeTypingMode(Long prop);
    Justification justification_;

private:
    bool overwrite_ = false;
};

// The longest text a picture allows ("@s20": 20); 0 for no limit.
void limitToPicture(QLineEdit* edit, const std::string& picture);

}  // namespace platform
