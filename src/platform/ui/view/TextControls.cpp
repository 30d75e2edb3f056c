// Entries, combos and text boxes: the user types into them; leaving one
// accepts what was typed.
#include "platform/text/Codepage.h"
#include "platform/ui/QueueModel.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"
#include "platform/ui/view/ControlView.h"
#include "platform/ui/view/ControlViews.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace platform {
namespace {

// Leaving a text control accepts what the user typed into it; its own drop
// list opening does not leave it.
class FocusOutAccepts : public QObject {
public:
    FocusOutAccepts(QObject* parent, std::function<void()> accept) : QObject(parent), accept_(std::move(accept)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::FocusOut && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
            accept_();
        return false;
    }

private:
    std::function<void()> accept_;
};

void limitToPicture(QLineEdit* edit, const std::string& picture) {
    if (const std::size_t width = pictureWidth(picture); width > 0) edit->setMaxLength(static_cast<int>(width));
}

// The shared part of the three: typing, leaving, the bound text.
class TypedControlView : public ControlView {
protected:
    using ControlView::ControlView;

    void acceptWhenLeft(QWidget* focusTarget) {
        focusTarget->installEventFilter(new FocusOutAccepts(focusTarget, [this] {
            Window* m = window().model();
            const Control* c = m ? m->control(number()) : nullptr;
            if (c && c->editing) m->userAccepted(number());
        }));
    }
    void typed(const QString& text) {
        if (window().model() && !applying()) model().userTyped(number(), fromQString(text));
    }
    void accepted() {
        if (window().model()) model().userAccepted(number());
    }
    QString screen() const { return toQString(control().screenText); }
};

class EntryView : public TypedControlView {
public:
    using TypedControlView::TypedControlView;

    QWidget* create(const ControlSpec& s, QWidget* parent, const QFont&) override {
        edit_ = new QLineEdit(parent);
        limitToPicture(edit_, s.text);
        if (s.password) edit_->setEchoMode(QLineEdit::Password);
        edit_->setReadOnly(s.readOnly);
        QObject::connect(edit_, &QLineEdit::textEdited, edit_, [this](const QString& t) { typed(t); });
        QObject::connect(edit_, &QLineEdit::returnPressed, edit_, [this] { accepted(); });
        acceptWhenLeft(edit_);
        return edit_;
    }

protected:
    bool applyOwn(Long prop) override {
        if (prop != PROP::ReadOnly) return false;
        edit_->setReadOnly(model().numberProperty(number(), prop) != 0);
        return true;
    }
    void showText() override {
        if (edit_->text() != screen()) edit_->setText(screen());
    }

private:
    QLineEdit* edit_ = nullptr;
};

class ComboView : public TypedControlView {
public:
    using TypedControlView::TypedControlView;

    QWidget* create(const ControlSpec& s, QWidget* parent, const QFont&) override {
        combo_ = new QComboBox(parent);
        combo_->setEditable(true);
        // The drop list shows only the program's rows, never what was typed.
        combo_->setInsertPolicy(QComboBox::NoInsert);
        limitToPicture(combo_->lineEdit(), s.text);
        if (!s.choices.empty()) combo_->addItems(toQString(s.choices).split('|'));
        if (s.from) {
            combo_->setModel(new QueueModel(*s.from, parseListFormat(s.format), combo_));
            // The program's rows are no completions: what is typed stays as typed.
            combo_->setCompleter(nullptr);
        }
        QObject::connect(combo_->lineEdit(), &QLineEdit::textEdited, combo_, [this](const QString& t) { typed(t); });
        QObject::connect(combo_->lineEdit(), &QLineEdit::returnPressed, combo_, [this] { accepted(); });
        QObject::connect(combo_, &QComboBox::textActivated, combo_, [this](const QString& t) {
            // Enter on a text in no row activates no row: the typed text stands.
            // Nor does the list dropping down, though Qt activates the text's row as it takes the focus.
            if (applying() || combo_->currentIndex() < 0 || combo_->view()->isVisible()) return;
            typed(t);
            accepted();
        });
        // The combo holds the focus for its line edit.
        acceptWhenLeft(combo_);
        return combo_;
    }
    void detach() override {
        if (auto* rows = dynamic_cast<QueueModel*>(combo_->model())) rows->detach();
    }

protected:
    void showText() override {
        if (combo_->currentText() != screen()) combo_->setEditText(screen());
    }

private:
    QComboBox* combo_ = nullptr;
};

class TextBoxView : public TypedControlView {
public:
    using TypedControlView::TypedControlView;

    QWidget* create(const ControlSpec& s, QWidget* parent, const QFont&) override {
        text_ = new QPlainTextEdit(parent);
        text_->setReadOnly(s.readOnly);
        QObject::connect(text_, &QPlainTextEdit::textChanged, text_, [this] { typed(text_->toPlainText()); });
        acceptWhenLeft(text_);
        return text_;
    }

protected:
    void showText() override {
        if (text_->toPlainText() != screen()) text_->setPlainText(screen());
    }

private:
    QPlainTextEdit* text_ = nullptr;
};

}  // namespace

std::unique_ptr<ControlView> makeEntryView(WindowView& w, Long n) { return std::make_unique<EntryView>(w, n); }
std::unique_ptr<ControlView> makeComboView(WindowView& w, Long n) { return std::make_unique<ComboView>(w, n); }
std::unique_ptr<ControlView> makeTextBoxView(WindowView& w, Long n) { return std::make_unique<TextBoxView>(w, n); }

}  // namespace platform
