// A list control's rows: a Qt model over a queue, told when the queue changes.
// Columns come from the list's format string ("51L(2)|M~Owner~1020L(2)@s255@",
// one column per width, "~Header~" for a heading, widths in dialog units; a
// width of 0 hides the column).
#pragma once

#include "platform/data/Queue.h"

#include <QAbstractTableModel>
#include <vector>

namespace platform {

struct ListColumn {
    int width = 0;       // dialog units
    QString header;
    std::size_t field = 0;  // queue field shown
};

std::vector<ListColumn> parseListFormat(const std::string& format);

class QueueModel : public QAbstractTableModel {
public:
    QueueModel(QueueBase& queue, std::vector<ListColumn> columns, QObject* parent);
    ~QueueModel() override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    const std::vector<ListColumn>& columns() const { return columns_; }
    // Lets the queue go before the model: the list shows no rows from then on.
    void detach();

private:
    QueueBase* queue_;  // nullptr once detached
    std::vector<ListColumn> columns_;
    int listener_;
};

}  // namespace platform
