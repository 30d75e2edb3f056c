// A list control's rows: a Qt model over a queue, told of each change of the
// queue row by row (rows added, changed, deleted, sorted, freed), never reset,
// so a view keeps its current row, selection and scroll position.
// Columns come from the list's format string ("51L(2)|M~Owner~1020L(2)@s255@",
// one column per width, in dialog units; a width of 0 hides the column). After
// the width come the justification (L, R, C or D) with its indent in
// parentheses, "|" for a border on the right, "M" for a column the user can
// resize, "~Header~" with the heading's own justification after it, the
// "@picture@" (a string picture cuts the text to its width) and "#field#".
// "*" gives a column its colours: the four fields after the column's field are
// its text, background, selected text and selected background colours (BGR
// numbers, -1 none); an icon's field comes after them.
// "E(text,background,selected text,selected background)" gives the column
// fixed colours (decimal, or hexadecimal with a closing H: 0A3B7FEH; one left
// empty is none); "'tip'" its tip, shown while the pointer is over its cells.
// "T" makes the column a tree: the LONG after its icon's field (if any) is the
// row's level, 1 the top, 2 under it; a negative level is that level
// collapsed, and the rows under a collapsed row are not shown.
// A list with a mark field shows each row's mark as the check box of its first
// column; ticking it writes the row. A column with an icon shows entry n of
// the list's icon list (1-based) beside its text.
#pragma once

#include "platform/data/Queue.h"

#include <QAbstractTableModel>
#include <QIcon>
#include <array>
#include <functional>
#include <vector>

namespace platform {

struct ListColumn {
    int width = 0;       // dialog units
    QString header;
    std::size_t field = 0;  // queue field shown
    bool icon = false;      // "?": the next field holds the number of the row's icon
    bool colored = false;   // "*": the four fields after it hold the row's colours
    bool tree = false;      // "T": a field after the icon's holds the row's level
    std::array<Long, 4> fixedColours{-1, -1, -1, -1};  // "E(...)", BGR, -1 none
    QString tip;
    char justification = 'L';
    int indent = 0;               // dialog units from the side the text is aligned to
    char headerJustification = 0;  // 0: as the column
    bool rightBorder = false;
    bool resizable = false;
    std::string picture;  // "@s255"
    std::size_t widthAt = 0;      // where the width's digits stand in the format
    std::size_t widthDigits = 0;
};

// The colours a coloured column gives its selected rows (a QColor each;
// nothing for none); its others are the foreground and background roles.
constexpr int SelectedForegroundRole = Qt::UserRole + 1;
constexpr int SelectedBackgroundRole = Qt::UserRole + 2;

// The fields after a column's own, in the order they take: its colours, its
// icon's number, its level; the next column's field follows them.
std::size_t colourField(const ListColumn& column);
std::size_t iconField(const ListColumn& column);
std::size_t levelField(const ListColumn& column);
std::size_t fieldsEnd(const ListColumn& column);

// Where a justification letter puts the text.
Qt::Alignment alignmentOf(char justification);

std::vector<ListColumn> parseListFormat(const std::string& format);
// The format with the width of its column `column` (1 the first) written anew.
std::string withColumnWidth(const std::string& format, std::size_t column, int width);
// The 1-based number of the queue's field of that name; 0 for none.
std::size_t fieldNumber(const QueueBase& queue, std::string_view name);

class QueueModel : public QAbstractTableModel {
public:
    QueueModel(QueueBase& queue, std::vector<ListColumn> columns, QObject* parent, std::size_t markField = 0);
    ~QueueModel() override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    const std::vector<ListColumn>& columns() const { return columns_; }
    void setIcons(std::vector<QIcon> icons);
    // A tree list's rows (0-based): the level (negative: collapsed; 0 when
    // the list is no tree), whether rows lie under it, whether it shows.
    int treeColumn() const { return treeColumn_; }
    Long level(int row) const;
    bool hasChildren(int row) const;
    std::vector<bool> shownRows() const;
    // Writes the row's level with its sign for open (positive) or collapsed.
    void setOpen(int row, bool open);
    // Lets the queue go before the model: the list shows no rows from then on.
    void detach();
    // Told after the user changed a row's mark (0-based row).
    std::function<void(int row)> onMarked;
    // Told after each change of the queue.
    std::function<void()> onChanged;
    // While the queue changes, what the view does of itself (its current row
    // moving off a deleted row, say) is nobody's choice.
    bool changing() const { return changing_; }

private:
    void before(const QueueChange& change);
    void after(const QueueChange& change);
    void followSort(const std::vector<std::size_t>& order);
    void rowsChanged(int first, int last);
    // The column's colour `place` (1 its text colour ... 4 its selected
    // background): the row's own for a coloured column, else its fixed one;
    // nothing for -1.
    QVariant colorOf(const ListColumn& column, int row, std::size_t place) const;

    QueueBase* queue_;  // nullptr once detached
    std::vector<ListColumn> columns_;
    std::size_t markField_;
    std::vector<QIcon> icons_;
    bool changing_ = false;
    bool removingAll_ = false;  // a FREE of a queue that had rows
    int listener_;
    int treeColumn_ = -1;
};

}  // namespace platform
