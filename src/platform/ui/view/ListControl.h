// Where a list draws what the user clicks besides its rows.
#pragma once

#include <QRect>

class QAbstractItemView;

namespace platform {

// Where the list draws a row's mark (its check box, 0-based row), in its
// viewport's coordinates; empty when the row has none.
QRect markRect(const QAbstractItemView& list, int row);
// Where a tree list draws the box that opens or collapses a row (0-based);
// empty when the row has no rows under it or is not shown.
QRect treeBoxRect(const QAbstractItemView& list, int row);

}  // namespace platform
