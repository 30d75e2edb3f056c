// In-memory queues: a record buffer plus rows, as the runtime has them.
//
// ADD copies the buffer into a new row; GET copies a row into the buffer and
// makes it current (POINTER); PUT writes the buffer back over the current row;
// DELETE removes it. Positions are 1-based. A failed GET leaves the buffer
// untouched and reports error 30 through lastError().
//
// Listeners are told of every change of the rows, once before it (the rows
// still as they were) and once after, so list views over a queue can follow
// it row by row; they run on the calling fiber and must not wait.
#pragma once

#include "platform/data/FieldTable.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace platform {

struct SortKey {
    std::string field;  // field name as in the field table
    bool descending = false;
};

constexpr int kEntryNotFound = 30;

// One change of a queue's rows.
struct QueueChange {
    enum class Kind { Added, Changed, Deleted, Sorted, Freed };
    Kind kind;
    std::size_t position = 0;  // the row (1-based) added, changed or deleted
    // Sorted: the row now at i + 1 was at order[i] + 1.
    const std::vector<std::size_t>* order = nullptr;
};

struct QueueListener {
    std::function<void(const QueueChange&)> before;  // may be empty
    std::function<void(const QueueChange&)> after;
};

class QueueBase {
public:
    virtual ~QueueBase() = default;

    virtual const FieldTable& fields() const = 0;
    virtual void* buffer() = 0;
    virtual std::size_t records() const = 0;

    // Field `number` (1-based) or `name` of the buffer; nullopt-like: null info.
    bool hasField(std::size_t number) const { return fields().at(number) != nullptr; }
    FieldRef field(std::size_t number);
    FieldRef field(std::string_view name);
    // Field of a stored row, read only.
    std::string rowText(std::size_t position, std::size_t fieldNumber) const;
    // Writes a field of a stored row, leaving the buffer and the pointer alone
    // (as a list writes its marks).
    void setRowText(std::size_t position, std::size_t fieldNumber, std::string_view text);

    void add();
    void add(std::size_t position);
    void add(const std::vector<SortKey>& keys);
    bool get(std::size_t position);
    bool get(const std::vector<SortKey>& keys);  // first row equal to the buffer in these fields
    bool put();
    bool remove();
    void free();
    void clear() { clearRecord(fields(), buffer()); }
    void sort(const std::vector<SortKey>& keys);
    std::size_t pointer() const { return pointer_; }
    int lastError() const { return lastError_; }

    int listen(QueueListener listener);
    void unlisten(int id);

protected:
    virtual const void* row(std::size_t index) const = 0;  // 0-based
    virtual void insertRow(std::size_t index, const void* data) = 0;
    virtual void assignRow(std::size_t index, const void* data) = 0;
    virtual void eraseRow(std::size_t index) = 0;
    virtual void eraseAll() = 0;
    virtual void reorder(const std::vector<std::size_t>& order) = 0;
    virtual void loadRow(std::size_t index) = 0;  // row into buffer

private:
    int compare(const void* a, const void* b, const std::vector<SortKey>& keys) const;
    // Tells the listeners, makes the change, tells them again.
    void change(const QueueChange& what, const std::function<void()>& make);

    std::size_t pointer_ = 0;
    int lastError_ = 0;
    int nextListener_ = 1;
    std::map<int, QueueListener> listeners_;
};

template <class R>
class Queue : public QueueBase {
public:
    R rec{};

    const FieldTable& fields() const override { return R::fieldTable(); }
    void* buffer() override { return &rec; }
    std::size_t records() const override { return rows_.size(); }
    const R& at(std::size_t position) const { return rows_.at(position - 1); }

protected:
    const void* row(std::size_t index) const override { return &rows_[index]; }
    void insertRow(std::size_t index, const void* data) override {
        rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(index), *static_cast<const R*>(data));
    }
    void assignRow(std::size_t index, const void* data) override { rows_[index] = *static_cast<const R*>(data); }
    void eraseRow(std::size_t index) override { rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(index)); }
    void eraseAll() override { rows_.clear(); }
    void reorder(const std::vector<std::size_t>& order) override {
        std::vector<R> sorted;
        sorted.reserve(order.size());
        for (std::size_t i : order) sorted.push_back(rows_[i]);
        rows_.swap(sorted);
    }
    void loadRow(std::size_t index) override { rec = rows_[index]; }

private:
    std::vector<R> rows_;
};

}  // namespace platform
