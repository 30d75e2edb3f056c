#include "platform/ui/QueueModel.h"

#include "platform/text/Codepage.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Window.h"

#include <algorithm>
#include <charconv>
#include <tuple>

namespace platform {

namespace {

std::size_t readNumber(const std::string& text, std::size_t& i) {
    std::size_t n = 0;
    while (i < text.size() && isDigit(text[i])) n = n * 10 + static_cast<std::size_t>(text[i++] - '0');
    return n;
}

// The text between the delimiter at i and its closing one; i moves past both.
std::string enclosed(const std::string& text, std::size_t& i, char closing) {
    const std::size_t end = std::min(text.find(closing, i + 1), text.size());
    std::string inside = text.substr(i + 1, end - i - 1);
    i = end + 1;
    return inside;
}

bool isJustification(char c) { return c == 'L' || c == 'R' || c == 'C' || c == 'D'; }

constexpr std::size_t kColourFields = 4;

// How deep a tree row lies, whether open or collapsed.
Long depthOf(Long level) { return std::max<Long>(1, level < 0 ? -level : level); }

// The justification letter at i and the indent in parentheses after it, if any.
std::pair<char, int> readJustification(const std::string& format, std::size_t& i) {
    const char justification = format[i++];
    if (i >= format.size() || format[i] != '(') return {justification, 0};
    return {justification, static_cast<int>(leadingNumber(enclosed(format, i, ')')))};
}

// A colour of "E(...)": decimal, or hexadecimal with a closing H; -1 for none.
Long colourNumber(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    text = clipped(text);
    if (text.empty()) return -1;
    if (upperChar(text.back()) != 'H') return static_cast<Long>(leadingNumber(text));
    long long value = -1;
    std::from_chars(text.data(), text.data() + text.size() - 1, value, 16);
    return static_cast<Long>(value);
}

std::array<Long, 4> readColours(std::string_view inside) {
    std::array<Long, 4> colours{-1, -1, -1, -1};
    for (Long& colour : colours) {
        const std::size_t end = std::min(inside.find(','), inside.size());
        colour = colourNumber(inside.substr(0, end));
        if (end == inside.size()) break;
        inside.remove_prefix(end + 1);
    }
    return colours;
}

}  // namespace

std::size_t colourField(const ListColumn& column) { return column.field + 1; }
std::size_t iconField(const ListColumn& column) { return colourField(column) + (column.colored ? kColourFields : 0); }
std::size_t levelField(const ListColumn& column) { return iconField(column) + (column.icon ? 1 : 0); }
std::size_t fieldsEnd(const ListColumn& column) { return levelField(column) + (column.tree ? 1 : 0); }

Qt::Alignment alignmentOf(char justification) {
    switch (justification) {
        case 'R':
        case 'D': return Qt::AlignRight | Qt::AlignVCenter;
        case 'C': return Qt::AlignHCenter | Qt::AlignVCenter;
        default: return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

// A column is its width, its justification and indent, then modifiers, a
// "~Header~" with the heading's justification, an optional "@picture@" and
// "#field#"; the next width starts the next column. Its colours, its icon and
// its level take the fields after its own.
std::vector<ListColumn> parseListFormat(const std::string& format) {
    std::vector<ListColumn> columns;
    std::size_t i = 0, nextField = 1;
    while (i < format.size()) {
        ListColumn column;
        column.widthAt = i;
        column.width = static_cast<int>(readNumber(format, i));
        column.widthDigits = i - column.widthAt;
        column.field = nextField;
        if (i < format.size() && isJustification(format[i]))
            std::tie(column.justification, column.indent) = readJustification(format, i);
        while (i < format.size() && !isDigit(format[i])) {
            switch (format[i]) {
                case '(': enclosed(format, i, ')'); break;
                case '@': column.picture = "@" + enclosed(format, i, '@'); break;
                case '~':
                    column.header = toQString(enclosed(format, i, '~'));
                    if (i < format.size() && isJustification(format[i]))
                        column.headerJustification = readJustification(format, i).first;
                    break;
                case '#': column.field = static_cast<std::size_t>(leadingNumber(enclosed(format, i, '#'))); break;
                case '?': column.icon = true, ++i; break;
                case '*': column.colored = true, ++i; break;
                case 'T': column.tree = true, ++i; break;
                case '\'': column.tip = toQString(enclosed(format, i, '\'')); break;
                case 'E':
                    if (i + 1 < format.size() && format[i + 1] == '(')
                        column.fixedColours = readColours(enclosed(format, ++i, ')'));
                    else
                        ++i;
                    break;
                case '|': column.rightBorder = true, ++i; break;
                case 'M': column.resizable = true, ++i; break;
                default: ++i; break;
            }
        }
        nextField = fieldsEnd(column);
        columns.push_back(column);
    }
    if (columns.empty()) columns.push_back({0, {}, 1});
    return columns;
}

std::string withColumnWidth(const std::string& format, std::size_t column, int width) {
    const std::vector<ListColumn> columns = parseListFormat(format);
    if (format.empty() || column < 1 || column > columns.size()) return format;
    const ListColumn& changed = columns[column - 1];
    return std::string(format).replace(changed.widthAt, changed.widthDigits, std::to_string(std::max(width, 0)));
}

std::size_t fieldNumber(const QueueBase& queue, std::string_view name) {
    const FieldInfo* info = name.empty() ? nullptr : queue.fields().find(name);
    return info ? static_cast<std::size_t>(info - queue.fields().all().data()) + 1 : 0;
}

QueueModel::QueueModel(QueueBase& queue, std::vector<ListColumn> columns, QObject* parent, std::size_t markField)
    : QAbstractTableModel(parent), queue_(&queue), columns_(std::move(columns)), markField_(markField) {
    listener_ = queue_->listen({[this](const QueueChange& c) { before(c); }, [this](const QueueChange& c) { after(c); }});
    const auto tree = std::find_if(columns_.begin(), columns_.end(), [](const ListColumn& c) { return c.tree; });
    if (tree != columns_.end()) treeColumn_ = static_cast<int>(tree - columns_.begin());
}

void QueueModel::before(const QueueChange& change) {
    changing_ = true;
    const int row = static_cast<int>(change.position) - 1;
    switch (change.kind) {
        case QueueChange::Kind::Added: beginInsertRows({}, row, row); return;
        case QueueChange::Kind::Deleted: beginRemoveRows({}, row, row); return;
        case QueueChange::Kind::Sorted: Q_EMIT layoutAboutToBeChanged({}, VerticalSortHint); return;
        case QueueChange::Kind::Freed:
            removingAll_ = rowCount() > 0;
            if (removingAll_) beginRemoveRows({}, 0, rowCount() - 1);
            return;
        case QueueChange::Kind::Changed: return;
    }
}

void QueueModel::after(const QueueChange& change) {
    const int row = static_cast<int>(change.position) - 1;
    switch (change.kind) {
        case QueueChange::Kind::Added: endInsertRows(); break;
        case QueueChange::Kind::Deleted: endRemoveRows(); break;
        case QueueChange::Kind::Changed: rowsChanged(row, row); break;
        case QueueChange::Kind::Sorted:
            followSort(*change.order);
            Q_EMIT layoutChanged({}, VerticalSortHint);
            break;
        case QueueChange::Kind::Freed:
            if (removingAll_) endRemoveRows();
            removingAll_ = false;
            break;
    }
    changing_ = false;
    if (onChanged) onChanged();
}

// Indexes the view holds follow their rows to where the sort put them.
void QueueModel::followSort(const std::vector<std::size_t>& order) {
    std::vector<int> now(order.size());
    for (std::size_t i = 0; i < order.size(); ++i) now[order[i]] = static_cast<int>(i);
    const QModelIndexList held = persistentIndexList();
    QModelIndexList moved;
    for (const QModelIndex& i : held) moved.push_back(index(now[static_cast<std::size_t>(i.row())], i.column()));
    changePersistentIndexList(held, moved);
}

void QueueModel::rowsChanged(int first, int last) {
    if (first <= last) Q_EMIT dataChanged(index(first, 0), index(last, columnCount() - 1));
}

QueueModel::~QueueModel() { detach(); }

void QueueModel::detach() {
    if (!queue_) return;
    beginResetModel();
    queue_->unlisten(listener_);
    queue_ = nullptr;
    endResetModel();
}

int QueueModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !queue_ ? 0 : static_cast<int>(queue_->records());
}

int QueueModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant QueueModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !queue_) return {};
    if (role == Qt::CheckStateRole && markField_ && index.column() == 0) {
        const bool marked = leadingNumber(queue_->rowText(static_cast<std::size_t>(index.row()) + 1, markField_)) != 0;
        return marked ? Qt::Checked : Qt::Unchecked;
    }
    const ListColumn& column = columns_[static_cast<std::size_t>(index.column())];
    if (role == Qt::DecorationRole && column.icon) {
        const auto entry = static_cast<std::size_t>(
            leadingNumber(queue_->rowText(static_cast<std::size_t>(index.row()) + 1, iconField(column))));
        return entry >= 1 && entry <= icons_.size() ? QVariant(icons_[entry - 1]) : QVariant();
    }
    switch (role) {
        case Qt::ToolTipRole: return column.tip.isEmpty() ? QVariant() : QVariant(column.tip);
        case Qt::ForegroundRole: return colorOf(column, index.row(), 1);
        case Qt::BackgroundRole: return colorOf(column, index.row(), 2);
        case SelectedForegroundRole: return colorOf(column, index.row(), 3);
        case SelectedBackgroundRole: return colorOf(column, index.row(), 4);
        default: break;
    }
    if (role == Qt::TextAlignmentRole) return static_cast<int>(alignmentOf(column.justification));
    // An editable combo reads its rows' texts as edit texts.
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    std::string text = clip(queue_->rowText(static_cast<std::size_t>(index.row()) + 1, column.field));
    if (const std::size_t width = pictureWidth(column.picture); width > 0 && text.size() > width) text.resize(width);
    return toQString(text);
}

QVariant QueueModel::colorOf(const ListColumn& column, int row, std::size_t place) const {
    const auto number =
        column.colored
            ? static_cast<Long>(leadingNumber(
                  queue_->rowText(static_cast<std::size_t>(row) + 1, colourField(column) + place - 1)))
            : column.fixedColours[place - 1];
    const QColor color = colorFromNumber(number);
    return color.isValid() ? QVariant(color) : QVariant();
}

Long QueueModel::level(int row) const {
    if (treeColumn_ < 0 || !queue_ || row < 0 || row >= rowCount()) return 0;
    const ListColumn& column = columns_[static_cast<std::size_t>(treeColumn_)];
    return static_cast<Long>(leadingNumber(queue_->rowText(static_cast<std::size_t>(row) + 1, levelField(column))));
}

bool QueueModel::hasChildren(int row) const {
    return treeColumn_ >= 0 && row + 1 < rowCount() && depthOf(level(row + 1)) > depthOf(level(row));
}

// A row shows unless a collapsed row above it holds it: one of a lower depth
// with only deeper rows between.
std::vector<bool> QueueModel::shownRows() const {
    std::vector<bool> shown(static_cast<std::size_t>(rowCount()), true);
    Long collapsedAt = 0;  // the depth of the collapsed row whose rows are passed, 0 none
    for (int row = 0; treeColumn_ >= 0 && row < rowCount(); ++row) {
        const Long level = this->level(row), depth = depthOf(level);
        if (collapsedAt && depth > collapsedAt) {
            shown[static_cast<std::size_t>(row)] = false;
            continue;
        }
        collapsedAt = level < 0 ? depth : 0;
    }
    return shown;
}

void QueueModel::setOpen(int row, bool open) {
    if (treeColumn_ < 0 || !queue_) return;
    const Long depth = depthOf(level(row));
    const ListColumn& column = columns_[static_cast<std::size_t>(treeColumn_)];
    queue_->setRowText(static_cast<std::size_t>(row) + 1, levelField(column), std::to_string(open ? depth : -depth));
}

void QueueModel::setIcons(std::vector<QIcon> icons) {
    icons_ = std::move(icons);
    rowsChanged(0, rowCount() - 1);
}

QVariant QueueModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return {};
    const ListColumn& column = columns_.at(static_cast<std::size_t>(section));
    const char justification = column.headerJustification ? column.headerJustification : column.justification;
    if (role == Qt::TextAlignmentRole) return static_cast<int>(alignmentOf(justification));
    return role == Qt::DisplayRole ? QVariant(column.header) : QVariant();
}

Qt::ItemFlags QueueModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (markField_ && index.column() == 0) flags |= Qt::ItemIsUserCheckable;
    return flags;
}

bool QueueModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::CheckStateRole || !markField_ || index.column() != 0 || !queue_) return false;
    const bool marked = value.toInt() == Qt::Checked;
    queue_->setRowText(static_cast<std::size_t>(index.row()) + 1, markField_, marked ? "1" : "0");
    if (onMarked) onMarked(index.row());
    return true;
}

}  // namespace platform
