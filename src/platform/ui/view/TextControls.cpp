// Entries and text boxes: the user types into them; leaving one accepts what
// was typed. An entry's caret and selection are PROP:SelStart and PROP:SelEnd,
// counted in characters from 1: SelStart the first character selected (with
// nothing selected, the one after the caret), SelEnd the last (with nothing
// selected, the one before the caret). Writing SelStart puts the caret before
// that character; writing SelEnd then selects up to it (as far as the text
// goes).
#include "platform/text/Codepage.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"
#include "platform/ui/view/ControlViews.h"
#include "platform/ui/view/TypedControlView.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextOption>

#include <algorithm>

namespace platform {
namespace {

class EntryView : public TypedControlView {
public:
    using TypedControlView::TypedControlView;

    QWidget* create(const ControlSpec&, QWidget* parent, const QFont&) override {
        edit_ = new QLineEdit(parent);
        QObject::connect(edit_, &QLineEdit::textEdited, edit_, [this](const QString& t) { typed(t); });
        QObject::connect(edit_, &QLineEdit::returnPressed, edit_, [this] { accepted(); });
        acceptWhenLeft(edit_);
        followTypingRules(edit_);
        return edit_;
    }

    std::optional<Long> selection(Long prop) const override {
        const bool selected = edit_->hasSelectedText();
        if (prop == PROP::SelStart) return (selected ? edit_->selectionStart() : edit_->cursorPosition()) + 1;
        if (prop == PROP::SelEnd) return selected ? edit_->selectionEnd() : edit_->cursorPosition();
        return std::nullopt;
    }

protected:
    bool applyOwn(Long prop) override {
        if (prop == PROP::SelStart) {
            edit_->setCursorPosition(std::clamp(caretProperty(prop) - 1, 0, static_cast<int>(edit_->text().size())));
            return true;
        }
        if (prop == PROP::SelEnd) {
            const int start = edit_->hasSelectedText() ? edit_->selectionStart() : edit_->cursorPosition();
            const int end = std::clamp(caretProperty(prop), start, static_cast<int>(edit_->text().size()));
            edit_->setSelection(start, end - start);
            return true;
        }
        if (prop == PROP::Password) {
            edit_->setEchoMode(flag(prop) ? QLineEdit::Password : QLineEdit::Normal);
            return true;
        }
        return applyToLine(edit_, prop);
    }
    void showText() override {
        if (edit_->text() != screen()) edit_->setText(screen());
    }

private:
    // What the program wrote: reading the property gives the caret on screen.
    int caretProperty(Long prop) const {
        const auto written = control().props.find(prop);
        return written == control().props.end() ? 0 : static_cast<int>(leadingNumber(written->second));
    }

    QLineEdit* edit_ = nullptr;
};

// A single-line text box takes no line breaks.
class SingleLine : public QObject {
public:
    SingleLine(QObject* parent, std::function<bool()> single) : QObject(parent), single_(std::move(single)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || !single_()) return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        return key == Qt::Key_Return || key == Qt::Key_Enter;
    }

private:
    std::function<bool()> single_;
};

class TextBoxView : public TypedControlView {
public:
    using TypedControlView::TypedControlView;

    QWidget* create(const ControlSpec&, QWidget* parent, const QFont&) override {
        text_ = new QPlainTextEdit(parent);
        QObject::connect(text_, &QPlainTextEdit::textChanged, text_, [this] { typed(text_->toPlainText()); });
        acceptWhenLeft(text_);
        followTypingRules(text_);
        text_->installEventFilter(new SingleLine(text_, [this] { return window().model() && flag(PROP::Single); }));
        return text_;
    }

protected:
    bool applyOwn(Long prop) override {
        if (justification_.take(model(), number(), prop)) {
            QTextOption option = text_->document()->defaultTextOption();
            option.setAlignment(justification_.alignment());
            text_->document()->setDefaultTextOption(option);
            return true;
        }
        if (takeTypingMode(prop)) {
            text_->setOverwriteMode(overwrite());
            return true;
        }
        switch (prop) {
            case PROP::ReadOnly: text_->setReadOnly(flag(prop)); return true;
            case PROP::Upr:
            case PROP::Cap: return true;  // read as each key is typed
            case PROP::Single:
            case PROP::HScroll:
            case PROP::VScroll: showScrolling(); return true;
            default: return false;
        }
    }
    void showText() override {
        if (text_->toPlainText() != screen()) text_->setPlainText(screen());
    }

private:
    // Lines wrap unless the box scrolls sideways or holds a single line.
    void showScrolling() {
        const bool single = flag(PROP::Single);
        const bool sideways = flag(PROP::HScroll);
        text_->setLineWrapMode(single || sideways ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
        text_->setHorizontalScrollBarPolicy(sideways ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        text_->setVerticalScrollBarPolicy(flag(PROP::VScroll) && !single ? Qt::ScrollBarAsNeeded
                                                                         : Qt::ScrollBarAlwaysOff);
    }

    QPlainTextEdit* text_ = nullptr;
};

}  // namespace

std::unique_ptr<ControlView> makeEntryView(WindowView& w, Long n) { return std::make_unique<EntryView>(w, n); }
std::unique_ptr<ControlView> makeTextBoxView(WindowView& w, Long n) { return std::make_unique<TextBoxView>(w, n); }

}  // namespace platform
