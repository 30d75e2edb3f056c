// The rows of a list, combo or spin box whose FROM is a text: one row per
// text, "|" between them ("MSSQL|ODBC|ORACLE"). The rows are a QObject so
// they go with the model or widget that shows them.
#pragma once

#include "platform/data/Queue.h"
#include "platform/data/Record.h"

#include <QObject>
#include <string>

namespace platform {

class QueueModel;
class Window;

#define TEXTROW_FIELDS(X) X(CString<256>, TEXT)
struct TextRow {
    TABLOOM_RECORD(TextRow, "", TEXTROW_FIELDS)
};

class TextRows : public QObject, public Queue<TextRow> {
public:
    explicit TextRows(std::string_view texts, QObject* parent = nullptr);
};

// The rows a control shows: those of its FROM text when it has one, else
// its queue's; nullptr for neither.
QueueModel* rowsModel(const Window& window, Long control, QueueBase* queue, const std::string& format,
                      QObject* parent, std::size_t markField = 0);

}  // namespace platform
