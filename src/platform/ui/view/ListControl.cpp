// A list: its queue's rows in the columns of its format, a current row, marks
// and an in-place editor over the current row.
#include "platform/text/Codepage.h"
#include "platform/ui/QueueModel.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"
#include "platform/ui/view/ControlViews.h"
#include "platform/ui/view/TextRows.h"
#include "platform/ui/view/ListControl.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolButton>
#include <algorithm>
#include <functional>

namespace platform {
namespace {

void setColumnWidths(QTableView* table, const std::vector<ListColumn>& columns, const DialogUnits& du) {
    for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
        const int width = columns[static_cast<std::size_t>(i)].width;
        if (width > 0) table->setColumnWidth(i, du.toPixelsX(width));
        table->setColumnHidden(i, width == 0);
    }
}

// Columns the user can resize follow the mouse; the others keep their width.
void setColumnResizing(QHeaderView* header, const std::vector<ListColumn>& columns) {
    for (int i = 0; i < static_cast<int>(columns.size()); ++i)
        header->setSectionResizeMode(i, columns[static_cast<std::size_t>(i)].resizable ? QHeaderView::Interactive
                                                                                       : QHeaderView::Fixed);
}

// A tree column gives each level this many pixels; a row with rows under it
// has its box in the last of them.
constexpr int kTreeStep = 16, kTreeBox = 9;

// Draws a list's cells as its format says: the content indented from the
// side it is aligned to (a tree's by its level too, behind the boxes), a line
// down the right of a column with a border, and a coloured column's own
// colours for its selected rows.
class ListColumnDelegate : public QStyledItemDelegate {
public:
    ListColumnDelegate(const QueueModel& rows, QObject* parent) : QStyledItemDelegate(parent), rows_(rows) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& given, const QModelIndex& index) const override {
        const QStyleOptionViewItem option = selectedColors(given, index);
        // The row's background spans the cell; only the content moves.
        // The list draws its focus round the whole row (ListTable), not round a cell.
        QStyleOptionViewItem unfocused(option);
        unfocused.state &= ~QStyle::State_HasFocus;
        QStyleOptionViewItem cell(unfocused);
        initStyleOption(&cell, index);
        styleOf(option)->drawPrimitive(QStyle::PE_PanelItemViewItem, &cell, painter, option.widget);
        QStyledItemDelegate::paint(painter, indented(unfocused, index), index);
        drawTreeBox(painter, option, index);
        if (!columnOf(index).rightBorder) return;
        painter->save();
        painter->setPen(option.palette.color(QPalette::Mid));
        painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
        painter->restore();
    }

    // A mark's check box is clicked where it is drawn.
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override {
        return QStyledItemDelegate::editorEvent(event, model, indented(option, index), index);
    }

    QRect markRect(const QAbstractItemView& list, const QModelIndex& index) const {
        QStyleOptionViewItem option;
        option.initFrom(list.viewport());
        option.widget = &list;
        option.font = list.font();
        option.rect = list.visualRect(index);
        QStyleOptionViewItem cell = indented(option, index);
        initStyleOption(&cell, index);
        if (!(cell.features & QStyleOptionViewItem::HasCheckIndicator)) return {};
        return styleOf(option)->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &cell, &list);
    }

    // Where the row's open or collapse box lies in the cell; empty for none.
    QRect treeBox(const QRect& cell, const QModelIndex& index) const {
        if (cell.isEmpty() || index.column() != rows_.treeColumn() || !rows_.hasChildren(index.row())) return {};
        const int left = cell.left() + (depth(index) - 1) * kTreeStep + (kTreeStep - kTreeBox) / 2;
        return {left, cell.center().y() - kTreeBox / 2, kTreeBox, kTreeBox};
    }

private:
    int depth(const QModelIndex& index) const {
        const Long level = rows_.level(index.row());
        return static_cast<int>(std::max<Long>(1, level < 0 ? -level : level));
    }
    // A box with a plus while the row's rows are hidden, a minus while shown.
    void drawTreeBox(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
        const QRect box = treeBox(option.rect, index);
        if (box.isEmpty()) return;
        painter->save();
        painter->setPen(option.palette.color(QPalette::Text));
        painter->fillRect(box, option.palette.color(QPalette::Base));
        painter->drawRect(box.adjusted(0, 0, -1, -1));
        const QPoint middle = box.center();
        painter->drawLine(box.left() + 2, middle.y(), box.right() - 2, middle.y());
        if (rows_.level(index.row()) < 0) painter->drawLine(middle.x(), box.top() + 2, middle.x(), box.bottom() - 2);
        painter->restore();
    }
    static QStyle* styleOf(const QStyleOptionViewItem& option) {
        return option.widget ? option.widget->style() : QApplication::style();
    }
    static QStyleOptionViewItem selectedColors(const QStyleOptionViewItem& option, const QModelIndex& index) {
        QStyleOptionViewItem colored(option);
        const QVariant text = index.data(SelectedForegroundRole), back = index.data(SelectedBackgroundRole);
        if (text.isValid()) colored.palette.setColor(QPalette::HighlightedText, text.value<QColor>());
        if (back.isValid()) colored.palette.setColor(QPalette::Highlight, back.value<QColor>());
        return colored;
    }
    const ListColumn& columnOf(const QModelIndex& index) const {
        return rows_.columns().at(static_cast<std::size_t>(index.column()));
    }
    // The style keeps a margin of its own; the indent counts from the cell's edge.
    QStyleOptionViewItem indented(const QStyleOptionViewItem& option, const QModelIndex& index) const {
        const ListColumn& column = columnOf(index);
        const int margin = styleOf(option)->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, option.widget) + 1;
        const int shift = std::max(0, DialogUnits(option.font).toPixelsX(column.indent) - margin);
        QStyleOptionViewItem content(option);
        // A column wider than the list aligns its content in the part the
        // list shows: centred in a column of 1020 units it would lie out of sight.
        if (const auto* view = qobject_cast<const QAbstractItemView*>(option.widget); view && column.justification != 'L')
            content.rect &= view->viewport()->rect();
        if (index.column() == rows_.treeColumn()) content.rect.adjust(depth(index) * kTreeStep, 0, 0, 0);
        if (column.justification == 'L') content.rect.adjust(shift, 0, 0, 0);
        if (column.justification == 'R' || column.justification == 'D') content.rect.adjust(0, 0, -shift, 0);
        return content;
    }

    const QueueModel& rows_;
};

// The VCR buttons of a list: first, previous, next and last row, as the keys
// move the current row.
QWidget* makeVcr(QTableView* table) {
    auto* bar = new QWidget(table);
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    const std::pair<const char*, Qt::Key> buttons[] = {
        {"|<", Qt::Key_Home}, {"<", Qt::Key_Up}, {">", Qt::Key_Down}, {">|", Qt::Key_End}};
    for (const auto& [text, key] : buttons) {
        auto* button = new QToolButton(bar);
        button->setText(text);
        button->setFocusPolicy(Qt::NoFocus);
        QObject::connect(button, &QToolButton::clicked, table, [table, key] {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
            QApplication::sendEvent(table, &press);
        });
        layout->addWidget(button);
    }
    return bar;
}

// Qt makes a row current when a list without one takes the focus; the list
// shows its own choice again afterwards.
class ListTable : public QTableView {
public:
    using QTableView::QTableView;
    bool takingFocus() const { return takingFocus_; }
    std::function<void()> tookFocus;
    // A click on the row that was current already: a choice all the same.
    std::function<void(int row)> chosenAgain;
    // A click on a tree row's box, which chooses no row.
    std::function<void(int row)> boxClicked;

protected:
    void focusInEvent(QFocusEvent* event) override {
        takingFocus_ = true;
        QTableView::focusInEvent(event);
        takingFocus_ = false;
        if (tookFocus) tookFocus();
        viewport()->update();
    }
    void focusOutEvent(QFocusEvent* event) override {
        QTableView::focusOutEvent(event);
        viewport()->update();
    }
    // With the focus, the current row has a dotted focus rectangle; without
    // a current row, the list's inside has one. (The style's own would tint
    // what lies inside.)
    void paintEvent(QPaintEvent* event) override {
        QTableView::paintEvent(event);
        if (!hasFocus()) return;
        QPainter painter(viewport());
        painter.setPen(QPen(palette().color(QPalette::Text), 1, Qt::DotLine));
        const int row = currentIndex().row();
        const QRect focus = row >= 0 ? QRect(0, rowViewportPosition(row), viewport()->width(), rowHeight(row))
                                     : viewport()->rect();
        painter.drawRect(focus.adjusted(0, 0, -1, -1));
    }
    void mousePressEvent(QMouseEvent* event) override {
        const QModelIndex at = indexAt(event->position().toPoint());
        const auto* delegate = dynamic_cast<const ListColumnDelegate*>(itemDelegate());
        if (boxClicked && event->button() == Qt::LeftButton && at.isValid() && delegate &&
            delegate->treeBox(visualRect(at), at).contains(event->position().toPoint()))
            return boxClicked(at.row());
        const QModelIndex before = currentIndex();
        QTableView::mousePressEvent(event);
        if (chosenAgain && event->button() == Qt::LeftButton && before.isValid() && at.isValid() &&
            at.row() == before.row() && currentIndex().row() == before.row())
            chosenAgain(at.row());
    }

private:
    bool takingFocus_ = false;
};

class ListView : public ControlView {
public:
    using ControlView::ControlView;

    QWidget* create(const ControlSpec& s, QWidget* parent, const QFont& font) override {
        table_ = new ListTable(parent);
        table_->tookFocus = [this] { apply(PROP::Selected); };
        table_->setSelectionBehavior(QAbstractItemView::SelectRows);
        table_->setSelectionMode(QAbstractItemView::SingleSelection);
        table_->verticalHeader()->hide();
        table_->verticalHeader()->setDefaultSectionSize(QFontMetrics(font).height() + 4);
        table_->setShowGrid(false);
        from_ = s.from;
        format_ = s.format;
        mark_ = s.from ? fieldNumber(*s.from, s.mark) : 0;
        showRows();
        QObject::connect(table_, &QTableView::doubleClicked, table_, [this] {
            if (window().model()) model().userAccepted(number());
        });
        return table_;
    }
    void detach() override {
        if (rows_) rows_->detach();
    }

protected:
    bool applyOwn(Long prop) override {
        switch (prop) {
            case PROP::Selected: showSelected(); return true;
            case PROP::LineHeight:
                table_->verticalHeader()->setDefaultSectionSize(
                    unitsToPixels(0, model().numberProperty(number(), prop)).height());
                return true;
            case PROP::Edit: placeEditor(); return true;
            case PROP::IconList: showIcons(); return true;
            case PROP::From: showRows(); return true;
            case PROP::Format:
                if (model().property(number(), prop) == format_) return true;
                format_ = model().property(number(), prop);
                showRows();
                return true;
            // Only the widths changed: the rows stay as they are.
            case PROPLIST::Width:
                format_ = model().property(number(), PROP::Format);
                setColumnWidths(table_, parseListFormat(format_), model().units());
                return true;
            case PROP::NoBar: showColors(); return true;
            case PROP::VCR:
            case PROP::HScroll:
            case PROP::VScroll: showScrolling(); return true;
            default: return false;
        }
    }
    // Without its bar the current row looks like the others.
    void showColors() override {
        ControlView::showColors();
        if (!flag(PROP::NoBar)) return;
        QPalette palette = table_->palette();
        palette.setColor(QPalette::Highlight, palette.color(QPalette::Base));
        palette.setColor(QPalette::HighlightedText, palette.color(QPalette::Text));
        table_->setPalette(palette);
    }

private:
    void showRows() {
        QueueModel* rows = rowsModel(model(), number(), from_, format_, table_, mark_);
        if (!rows) return;
        QItemSelectionModel* oldSelection = table_->selectionModel();
        QAbstractItemModel* oldRows = table_->model();
        rows_ = rows;
        table_->setModel(rows_);
        delete oldSelection;
        delete oldRows;
        // A new mark is a new selection of its row, as a click on the row is.
        rows_->onMarked = [this](int row) {
            if (window().model()) model().userChoseRow(number(), row + 1);
        };
        // The highlight is the list's PROP:Selected, a position: the queue's
        // changes never move it.
        rows_->onChanged = [this] {
            showTree();
            apply(PROP::Selected);
        };
        const bool headings = std::any_of(rows_->columns().begin(), rows_->columns().end(),
                                          [](const ListColumn& c) { return !c.header.isEmpty(); });
        QHeaderView* header = table_->horizontalHeader();
        header->setVisible(headings);
        header->setStretchLastSection(true);
        header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        QAbstractItemDelegate* oldDelegate = table_->itemDelegate();
        table_->setItemDelegate(new ListColumnDelegate(*rows_, table_));
        delete oldDelegate;
        setColumnWidths(table_, rows_->columns(), model().units());
        setColumnResizing(header, rows_->columns());
        QObject::connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, table_,
                         [this](const QModelIndex& now) {
                             if (window().model() && !applying() && !rows_->changing() &&
                                 !table_->takingFocus() && now.isValid())
                                 model().userChoseRow(number(), now.row() + 1);
                         });
        table_->chosenAgain = [this](int row) {
            if (window().model()) model().userChoseRow(number(), row + 1);
        };
        table_->boxClicked = [this](int row) {
            const bool open = rows_->level(row) < 0;
            rows_->setOpen(row, open);
            if (window().model()) model().userToggledRow(number(), row + 1, open);
        };
        showTree();
    }

    // The rows under a collapsed tree row are not shown.
    void showTree() {
        if (rows_->treeColumn() < 0) return;
        const std::vector<bool> shown = rows_->shownRows();
        for (int row = 0; row < static_cast<int>(shown.size()); ++row)
            table_->setRowHidden(row, !shown[static_cast<std::size_t>(row)]);
    }

    // Without HSCROLL or VSCROLL a list has no scroll bar that way; the VCR
    // buttons sit on the horizontal one.
    void showScrolling() {
        const bool vcr = flag(PROP::VCR);
        if (vcr && !vcr_) table_->addScrollBarWidget(vcr_ = makeVcr(table_), Qt::AlignLeft);
        if (vcr_) vcr_->setVisible(vcr);
        table_->setHorizontalScrollBarPolicy(vcr                   ? Qt::ScrollBarAlwaysOn
                                             : flag(PROP::HScroll) ? Qt::ScrollBarAsNeeded
                                                                   : Qt::ScrollBarAlwaysOff);
        table_->setVerticalScrollBarPolicy(flag(PROP::VScroll) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    }

    void showSelected() {
        if (!rows_) return;
        const int index = model().numberProperty(number(), PROP::Selected) - 1;
        if (index >= 0 && index < rows_->rowCount()) {
            table_->selectRow(index);
        } else {
            table_->clearSelection();
            table_->selectionModel()->clearCurrentIndex();
        }
    }

    void showIcons() {
        if (!rows_) return;
        std::vector<QIcon> icons;
        for (const QString& name : toQString(model().property(number(), PROP::IconList)).split('|', Qt::SkipEmptyParts))
            icons.push_back(iconFor(fromQString(name)));
        rows_->setIcons(std::move(icons));
    }

    // The in-place editor over the current row; moving the focus off a hidden
    // editor is no choice of the user.
    void placeEditor() {
        if (!rows_) return;
        if (editor_) editor_->hide();
        editor_ = nullptr;
        QWidget* editor = window().widget(model().numberProperty(number(), PROP::Edit));
        if (!editor || editor == table_) return;
        const QModelIndex row = rows_->index(model().numberProperty(number(), PROP::Selected) - 1, 0);
        editor->setParent(table_->viewport());
        editor->setGeometry(table_->visualRect(row));
        editor->show();
        editor->raise();
        editor_ = editor;
    }

    ListTable* table_ = nullptr;
    QueueModel* rows_ = nullptr;
    QueueBase* from_ = nullptr;
    std::string format_;
    std::size_t mark_ = 0;
    QWidget* vcr_ = nullptr;
    QPointer<QWidget> editor_;
};

}  // namespace

std::unique_ptr<ControlView> makeListView(WindowView& w, Long n) { return std::make_unique<ListView>(w, n); }

QRect markRect(const QAbstractItemView& list, int row) {
    const auto* delegate = dynamic_cast<const ListColumnDelegate*>(list.itemDelegate());
    if (!delegate || !list.model()) return {};
    return delegate->markRect(list, list.model()->index(row, 0));
}

QRect treeBoxRect(const QAbstractItemView& list, int row) {
    const auto* delegate = dynamic_cast<const ListColumnDelegate*>(list.itemDelegate());
    const auto* rows = dynamic_cast<const QueueModel*>(list.model());
    if (!delegate || !rows || rows->treeColumn() < 0) return {};
    const QModelIndex cell = rows->index(row, rows->treeColumn());
    return delegate->treeBox(list.visualRect(cell), cell);
}

}  // namespace platform
