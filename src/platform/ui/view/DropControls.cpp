// Combos and drop lists: a line (typed into for a combo, chosen for a drop
// list) over a list that drops down, of a queue's rows in a format's columns
// or of fixed texts ("MSSQL|ODBC|ORACLE").
#include "platform/text/Codepage.h"
#include "platform/ui/QueueModel.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"
#include "platform/ui/view/ControlViews.h"
#include "platform/ui/view/TextRows.h"
#include "platform/ui/view/TypedControlView.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <functional>

namespace platform {
namespace {

// Rows of a set height, where a list's line height gives one.
class RowHeight : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    int height = 0;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        if (height > 0) size.setHeight(height);
        return size;
    }
};

// Taking the focus drops the list down, for a control that always drops.
class DropOnFocus : public QObject {
public:
    DropOnFocus(QComboBox* combo, std::function<bool()> always) : QObject(combo), always_(std::move(always)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn && always_()) static_cast<QComboBox*>(parent())->showPopup();
        return false;
    }

private:
    std::function<bool()> always_;
};

class DropView : public TypedControlView {
public:
    using TypedControlView::TypedControlView;

    void detach() override {
        if (auto* rows = dynamic_cast<QueueModel*>(combo_->model())) rows->detach();
    }

protected:
    QComboBox* makeCombo(const ControlSpec& s, QWidget* parent, bool editable) {
        combo_ = new QComboBox(parent);
        combo_->setEditable(editable);
        if (!s.choices.empty()) combo_->addItems(toQString(s.choices).split('|'));
        from_ = s.from;
        format_ = s.format;
        showRows();
        combo_->installEventFilter(new DropOnFocus(combo_, [this] { return window().model() && flag(PROP::AlwaysDrop); }));
        return combo_;
    }

    bool applyOwn(Long prop) override {
        switch (prop) {
            case PROP::From:
                showRows();
                showText();
                return true;
            case PROP::Format:
                if (model().property(number(), prop) == format_) return true;
                format_ = model().property(number(), prop);
                showRows();
                return true;
            // The dropped list shows its first column alone, whatever its width.
            case PROPLIST::Width: format_ = model().property(number(), PROP::Format); return true;
            case PROP::Drop:
                combo_->setMaxVisibleItems(std::max(1, static_cast<int>(model().numberProperty(number(), prop))));
                return true;
            case PROP::DropWidth:
                combo_->view()->setMinimumWidth(unitsToPixels(model().numberProperty(number(), prop), 0).width());
                return true;
            case PROP::AlwaysDrop: return true;  // read as the control takes the focus
            case PROP::VScroll:
            case PROP::HScroll:
                combo_->view()->setVerticalScrollBarPolicy(flag(PROP::VScroll) ? Qt::ScrollBarAsNeeded
                                                                                : Qt::ScrollBarAlwaysOff);
                combo_->view()->setHorizontalScrollBarPolicy(flag(PROP::HScroll) ? Qt::ScrollBarAsNeeded
                                                                                  : Qt::ScrollBarAlwaysOff);
                return true;
            case PROP::LineHeight:
                if (!rowHeight_) combo_->setItemDelegate(rowHeight_ = new RowHeight(combo_));
                rowHeight_->height = unitsToPixels(0, model().numberProperty(number(), prop)).height();
                combo_->view()->doItemsLayout();
                return true;
            default: return combo_->lineEdit() && applyToLine(combo_->lineEdit(), prop);
        }
    }
    // The dropped list is a window of its own: it takes no colours from the control.
    void showColors() override {
        ControlView::showColors();
        combo_->view()->setPalette(combo_->palette());
    }

    QComboBox* combo_ = nullptr;

private:
    void showRows() {
        QueueModel* rows = rowsModel(model(), number(), from_, format_, combo_);
        if (!rows) return;  // fixed texts of the structure
        combo_->setModel(rows);
        // The program's rows are no completions: what is typed stays as typed.
        if (combo_->isEditable()) combo_->setCompleter(nullptr);
    }

    RowHeight* rowHeight_ = nullptr;
    QueueBase* from_ = nullptr;
    std::string format_;
};

class ComboView : public DropView {
public:
    using DropView::DropView;

    QWidget* create(const ControlSpec& s, QWidget* parent, const QFont&) override {
        makeCombo(s, parent, true);
        // The drop list shows only the program's rows, never what was typed.
        combo_->setInsertPolicy(QComboBox::NoInsert);
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
        followTypingRules(combo_->lineEdit());
        return combo_;
    }

protected:
    void showText() override {
        if (combo_->currentText() != screen()) combo_->setEditText(screen());
    }
};

class DropListView : public DropView {
public:
    using DropView::DropView;

    QWidget* create(const ControlSpec& s, QWidget* parent, const QFont&) override {
        makeCombo(s, parent, false);
        QObject::connect(combo_, &QComboBox::activated, combo_, [this](int index) {
            if (applying() || index < 0 || !window().model()) return;
            const std::string text = fromQString(combo_->itemText(index));
            model().userChoseRow(number(), index + 1);
            if (!window().model()) return;
            model().userTyped(number(), text);
            accepted();
        });
        return combo_;
    }

protected:
    // The row whose text the bound value holds.
    void showText() override { combo_->setCurrentIndex(combo_->findText(screen())); }
};

}  // namespace

std::unique_ptr<ControlView> makeComboView(WindowView& w, Long n) { return std::make_unique<ComboView>(w, n); }
std::unique_ptr<ControlView> makeDropListView(WindowView& w, Long n) { return std::make_unique<DropListView>(w, n); }

}  // namespace platform
