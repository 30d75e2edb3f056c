#include "platform/data/Queue.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>

namespace platform {

FieldRef QueueBase::field(std::size_t number) {
    const FieldInfo* info = fields().at(number);
    if (!info) throw std::out_of_range("queue has no field " + std::to_string(number));
    return FieldRef(*info, buffer());
}

FieldRef QueueBase::field(std::string_view name) {
    const FieldInfo* info = fields().find(name);
    if (!info) throw std::out_of_range("queue has no field " + std::string(name));
    return FieldRef(*info, buffer());
}

std::string QueueBase::rowText(std::size_t position, std::size_t fieldNumber) const {
    const FieldInfo* info = fields().at(fieldNumber);
    if (!info || position < 1 || position > records()) return {};
    return FieldRef(*info, const_cast<void*>(row(position - 1))).text();
}

void QueueBase::setRowText(std::size_t position, std::size_t fieldNumber, std::string_view text) {
    const FieldInfo* info = fields().at(fieldNumber);
    if (!info || position < 1 || position > records()) return;
    change({QueueChange::Kind::Changed, position},
           [&] { FieldRef(*info, const_cast<void*>(row(position - 1))).setText(text); });
}

void QueueBase::add() { add(records() + 1); }

void QueueBase::add(std::size_t position) {
    const std::size_t index = std::clamp<std::size_t>(position, 1, records() + 1) - 1;
    change({QueueChange::Kind::Added, index + 1}, [&] { insertRow(index, buffer()); });
    pointer_ = index + 1;
    lastError_ = 0;
}

void QueueBase::add(const std::vector<SortKey>& keys) {
    // After the last row that sorts before or equal to the buffer.
    std::size_t index = records();
    while (index > 0 && compare(row(index - 1), buffer(), keys) > 0) --index;
    add(index + 1);
}

bool QueueBase::get(std::size_t position) {
    if (position < 1 || position > records()) {
        lastError_ = kEntryNotFound;
        return false;
    }
    loadRow(position - 1);
    pointer_ = position;
    lastError_ = 0;
    return true;
}

bool QueueBase::get(const std::vector<SortKey>& keys) {
    for (std::size_t i = 0; i < records(); ++i)
        if (compare(row(i), buffer(), keys) == 0) return get(i + 1);
    lastError_ = kEntryNotFound;
    return false;
}

bool QueueBase::put() {
    if (pointer_ < 1 || pointer_ > records()) {
        lastError_ = kEntryNotFound;
        return false;
    }
    change({QueueChange::Kind::Changed, pointer_}, [&] { assignRow(pointer_ - 1, buffer()); });
    lastError_ = 0;
    return true;
}

bool QueueBase::remove() {
    if (pointer_ < 1 || pointer_ > records()) {
        lastError_ = kEntryNotFound;
        return false;
    }
    change({QueueChange::Kind::Deleted, pointer_}, [&] { eraseRow(pointer_ - 1); });
    lastError_ = 0;
    return true;
}

void QueueBase::free() {
    change({QueueChange::Kind::Freed}, [&] { eraseAll(); });
    pointer_ = 0;
    lastError_ = 0;
}

void QueueBase::sort(const std::vector<SortKey>& keys) {
    std::vector<std::size_t> order(records());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return compare(row(a), row(b), keys) < 0; });
    change({QueueChange::Kind::Sorted, 0, &order}, [&] { reorder(order); });
}

int QueueBase::compare(const void* a, const void* b, const std::vector<SortKey>& keys) const {
    for (const SortKey& key : keys) {
        const FieldInfo* info = fields().find(key.field);
        if (!info) throw std::out_of_range("queue has no field " + key.field);
        const FieldRef fa(*info, const_cast<void*>(a));
        const FieldRef fb(*info, const_cast<void*>(b));
        int c = 0;
        if (info->type == FieldType::CString || info->type == FieldType::String) {
            const int order = clipped(fa.view()).compare(clipped(fb.view()));
            c = order < 0 ? -1 : order > 0 ? 1 : 0;
        } else {
            const double na = fa.number(), nb = fb.number();
            c = na < nb ? -1 : na > nb ? 1 : 0;
        }
        if (c != 0) return key.descending ? -c : c;
    }
    return 0;
}

int QueueBase::listen(QueueListener listener) {
    const int id = nextListener_++;
    listeners_.emplace(id, std::move(listener));
    return id;
}

void QueueBase::unlisten(int id) { listeners_.erase(id); }

void QueueBase::change(const QueueChange& what, const std::function<void()>& make) {
    for (auto& [id, listener] : listeners_)
        if (listener.before) listener.before(what);
    make();
    for (auto& [id, listener] : listeners_)
        if (listener.after) listener.after(what);
}

}  // namespace platform
