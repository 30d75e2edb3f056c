// Entries and text boxes: the user types into them; leaving one accepts what
// was typed.
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

protected:
    bool applyOwn(Long prop) override {
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
