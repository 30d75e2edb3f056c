#include "platform/ui/view/TypedControlView.h"

#include "platform/text/Codepage.h"
#include "platform/ui/NumberPicture.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QValidator>
#include <functional>

namespace platform {
namespace {

// Leaving a text control accepts what the user typed into it.
class FocusOutAccepts : public QObject {
public:
    FocusOutAccepts(QObject* parent, std::function<void()> accept) : QObject(parent), accept_(std::move(accept)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        // Its own drop list opening does not leave the control.
        if (event->type() == QEvent::FocusOut && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
            accept_();
        return false;
    }

private:
    std::function<void()> accept_;
};

// The character before the text cursor; a blank at the start.
QChar characterBefore(QObject* target) {
    if (auto* edit = qobject_cast<QLineEdit*>(target))
        return edit->cursorPosition() > 0 ? edit->text().at(edit->cursorPosition() - 1) : QChar(' ');
    if (auto* text = qobject_cast<QPlainTextEdit*>(target)) {
        const QTextCursor cursor = text->textCursor();
        return cursor.position() > 0 ? text->document()->characterAt(cursor.position() - 1) : QChar(' ');
    }
    return QChar(' ');
}

QString upperText(const QString& text) { return toQString(upper(fromQString(text))); }
QString lowerText(const QString& text) { return toQString(lower(fromQString(text))); }

// Rewrites typed characters by the control's rules before the widget sees them.
class TypingRules : public QObject {
public:
    TypingRules(QObject* parent, std::function<bool(Long)> flag, std::function<bool()> overwrite)
        : QObject(parent), flag_(std::move(flag)), overwrite_(std::move(overwrite)) {}

protected:
    bool eventFilter(QObject* target, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || resending_) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->text().isEmpty() || !key->text().at(0).isPrint() ||
            key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
            return false;
        if (overwrite_())
            if (auto* edit = qobject_cast<QLineEdit*>(target); edit && !edit->hasSelectedText())
                edit->setSelection(edit->cursorPosition(), 1);
        const QString text = rewritten(target, key->text());
        if (text == key->text()) return false;
        QKeyEvent replaced(QEvent::KeyPress, key->key(), key->modifiers(), text, key->isAutoRepeat(), key->count());
        resending_ = true;
        QApplication::sendEvent(target, &replaced);
        resending_ = false;
        return true;
    }

private:
    QString rewritten(QObject* target, const QString& text) const {
        if (flag_(PROP::Upr)) return upperText(text);
        if (!flag_(PROP::Cap)) return text;
        const QChar before = characterBefore(target);
        return before.isLetterOrNumber() ? lowerText(text) : upperText(text);
    }

    std::function<bool(Long)> flag_;
    std::function<bool()> overwrite_;
    bool resending_ = false;
};

// A number picture's rule on each key, so that what it refuses is not typed.
class NumberValidator : public QValidator {
public:
    NumberValidator(QObject* parent, NumberPicture picture) : QValidator(parent), picture_(picture) {}
    State validate(QString& input, int&) const override {
        const std::string text = fromQString(input);
        return fittedNumber(picture_, text) == text ? Acceptable : Invalid;
    }

private:
    NumberPicture picture_;
};

}  // namespace

void limitToPicture(QLineEdit* edit, const std::string& picture) {
    delete edit->validator();
    if (const std::optional<NumberPicture> number = numberPicture(picture)) {
        edit->setValidator(new NumberValidator(edit, *number));
        const std::size_t signs = (number->minus ? 1 : 0) + (number->decimals > 0 ? 1 : 0);
        edit->setMaxLength(static_cast<int>(number->digits + number->decimals + signs));
        return;
    }
    const std::size_t width = pictureWidth(picture);
    edit->setMaxLength(width > 0 ? static_cast<int>(width) : 32767);
}

void TypedControlView::acceptWhenLeft(QWidget* focusTarget) {
    focusTarget->installEventFilter(new FocusOutAccepts(focusTarget, [this] {
        Window* m = window().model();
        const Control* c = m ? m->control(number()) : nullptr;
        if (c && c->editing) m->userAccepted(number());
    }));
}

void TypedControlView::followTypingRules(QWidget* keyTarget) {
    keyTarget->installEventFilter(new TypingRules(
        keyTarget, [this](Long prop) { return window().model() && shows(prop) && flag(prop); },
        [this] { return overwrite_; }));
}

void TypedControlView::typed(const QString& text) {
    if (window().model() && !applying()) model().userTyped(number(), fromQString(text));
}

void TypedControlView::accepted() {
    if (window().model()) model().userAccepted(number());
}

QString TypedControlView::screen() const { return toQString(control().screenText); }

bool TypedControlView::takeTypingMode(Long prop) {
    if (prop != PROP::Ins && prop != PROP::Ovr) return false;
    overwrite_ = (prop == PROP::Ovr) == flag(prop);
    return true;
}

bool TypedControlView::applyToLine(QLineEdit* edit, Long prop) {
    if (justification_.take(model(), number(), prop)) {
        edit->setAlignment(justification_.alignment());
        edit->setTextMargins(justification_.margins(unitsToPixels(justification_.offset(model(), number()), 0).width()));
        return true;
    }
    switch (prop) {
        case PROP::Text: limitToPicture(edit, model().property(number(), prop)); return true;
        case PROP::ReadOnly: edit->setReadOnly(flag(prop)); return true;
        case PROP::Upr:
        case PROP::Cap: return true;  // read as each key is typed
        default: return takeTypingMode(prop);
    }
}

}  // namespace platform
