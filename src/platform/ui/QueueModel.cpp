#include "platform/ui/QueueModel.h"

#include "platform/text/Codepage.h"

#include <cctype>

namespace platform {

std::vector<ListColumn> parseListFormat(const std::string& format) {
    std::vector<ListColumn> columns;
    std::size_t i = 0, field = 1;
    while (i < format.size()) {
        ListColumn column;
        column.field = field++;
        while (i < format.size() && std::isdigit(static_cast<unsigned char>(format[i])))
            column.width = column.width * 10 + (format[i++] - '0');
        // Attributes up to the picture; a heading stands between tildes.
        while (i < format.size() && format[i] != '@') {
            if (format[i] == '~') {
                const std::size_t end = format.find('~', i + 1);
                if (end == std::string::npos) break;
                column.header = toQString(format.substr(i + 1, end - i - 1));
                i = end;
            }
            ++i;
        }
        const std::size_t pictureEnd = format.find('@', i + 1);
        if (i >= format.size() || pictureEnd == std::string::npos) break;
        i = pictureEnd + 1;
        columns.push_back(column);
    }
    if (columns.empty()) columns.push_back({0, {}, 1});
    return columns;
}

QueueModel::QueueModel(QueueBase& queue, std::vector<ListColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), queue_(&queue), columns_(std::move(columns)) {
    listener_ = queue_->listen([this] {
        beginResetModel();
        endResetModel();
    });
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
    if (role != Qt::DisplayRole || !index.isValid() || !queue_) return {};
    const std::string text = queue_->rowText(static_cast<std::size_t>(index.row()) + 1,
                                             columns_[static_cast<std::size_t>(index.column())].field);
    return toQString(clip(text));
}

QVariant QueueModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    return columns_.at(static_cast<std::size_t>(section)).header;
}

}  // namespace platform
