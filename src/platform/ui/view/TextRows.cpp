#include "platform/ui/view/TextRows.h"

#include "platform/ui/QueueModel.h"
#include "platform/ui/Window.h"

namespace platform {

TextRows::TextRows(std::string_view texts, QObject* parent) : QObject(parent) {
    while (!texts.empty()) {
        const std::size_t bar = texts.find('|');
        rec.TEXT = texts.substr(0, bar);
        add();
        texts = bar == std::string_view::npos ? std::string_view() : texts.substr(bar + 1);
    }
}

QueueModel* rowsModel(const Window& window, Long control, QueueBase* queue, const std::string& format,
                      QObject* parent, std::size_t markField) {
    const std::string texts = window.property(control, PROP::From);
    if (texts.empty() && !queue) return nullptr;
    if (texts.empty()) return new QueueModel(*queue, parseListFormat(format), parent, markField);
    // The model lets its rows go in its destructor, before its children go.
    auto* rows = new TextRows(texts);
    auto* model = new QueueModel(*rows, parseListFormat(format), parent);
    rows->setParent(model);
    return model;
}

}  // namespace platform
