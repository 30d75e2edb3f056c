// A list: its queue's rows in the columns of its format, a current row, marks
// and an in-place editor over the current row.
#include "platform/text/Codepage.h"
#include "platform/ui/QueueModel.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"
#include "platform/ui/view/ControlViews.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableView>
#include <algorithm>

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

// Draws a list's cells as its format says: the content indented from the
// side it is aligned to, and a line down the right of a column with a border.
class ListColumnDelegate : public QStyledItemDelegate {
public:
    ListColumnDelegate(const QueueModel& rows, QObject* parent) : QStyledItemDelegate(parent), rows_(rows) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        // The row's background spans the cell; only the content moves.
        QStyleOptionViewItem cell(option);
        initStyleOption(&cell, index);
        styleOf(option)->drawPrimitive(QStyle::PE_PanelItemViewItem, &cell, painter, option.widget);
        QStyledItemDelegate::paint(painter, indented(option, index), index);
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

private:
    static QStyle* styleOf(const QStyleOptionViewItem& option) {
        return option.widget ? option.widget->style() : QApplication::style();
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
        if (column.justification == 'L') content.rect.adjust(shift, 0, 0, 0);
        if (column.justification == 'R' || column.justification == 'D') content.rect.adjust(0, 0, -shift, 0);
        return content;
    }

    const QueueModel& rows_;
};

class ListView : public ControlView {
public:
    using ControlView::ControlView;

    QWidget* create(const ControlSpec& s, QWidget* parent, const QFont& font) override {
        table_ = new QTableView(parent);
        table_->setSelectionBehavior(QAbstractItemView::SelectRows);
        table_->setSelectionMode(QAbstractItemView::SingleSelection);
        table_->verticalHeader()->hide();
        table_->verticalHeader()->setDefaultSectionSize(QFontMetrics(font).height() + 4);
        table_->setShowGrid(false);
        if (s.from) showRows(s);
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
                    DialogUnits(window().font()).toPixelsY(model().numberProperty(number(), prop)));
                return true;
            case PROP::Edit: placeEditor(); return true;
            case PROP::IconList: showIcons(); return true;
            default: return false;
        }
    }

private:
    void showRows(const ControlSpec& s) {
        rows_ = new QueueModel(*s.from, parseListFormat(s.format), table_, fieldNumber(*s.from, s.mark));
        table_->setModel(rows_);
        // A new mark is a new selection of its row, as a click on the row is.
        rows_->onMarked = [this](int row) {
            if (window().model()) model().userChoseRow(number(), row + 1);
        };
        const bool headings = std::any_of(rows_->columns().begin(), rows_->columns().end(),
                                          [](const ListColumn& c) { return !c.header.isEmpty(); });
        QHeaderView* header = table_->horizontalHeader();
        header->setVisible(headings);
        header->setStretchLastSection(true);
        header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        table_->setItemDelegate(new ListColumnDelegate(*rows_, table_));
        setColumnWidths(table_, rows_->columns(), DialogUnits(window().font()));
        setColumnResizing(header, rows_->columns());
        QObject::connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, table_,
                         [this](const QModelIndex& now) {
                             if (window().model() && !applying() && now.isValid())
                                 model().userChoseRow(number(), now.row() + 1);
                         });
        QObject::connect(table_, &QTableView::doubleClicked, table_, [this] {
            if (window().model()) model().userAccepted(number());
        });
    }

    void showSelected() {
        const int index = model().numberProperty(number(), PROP::Selected) - 1;
        if (index >= 0) {
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

    QTableView* table_ = nullptr;
    QueueModel* rows_ = nullptr;
    QPointer<QWidget> editor_;
};

}  // namespace

std::unique_ptr<ControlView> makeListView(WindowView& w, Long n) { return std::make_unique<ListView>(w, n); }

}  // namespace platform
