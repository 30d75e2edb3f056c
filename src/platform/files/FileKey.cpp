#include "platform/files/FileKey.h"

#include "platform/files/KeyedFile.h"

#include <stdexcept>

namespace platform {

FileKey::FileKey(KeyedFile& file, std::string label, const std::vector<SortKey>& components,
                 KeyAttributes attributes)
    : file_(&file), label_(std::move(label)), attributes_(attributes) {
    for (const SortKey& component : components) {
        const FieldInfo* field = file.record().fields->find(component.field);
        if (!field) throw std::logic_error("key " + label_ + " names no field " + component.field);
        columns_.emplace_back(*field, component.descending, attributes.nocase);
    }
    number_ = file.addKey(*this);
}

std::string FileKey::signature() const {
    std::string text = "KEY " + label_ + (attributes_.unique ? " UNIQUE" : " DUP") + (attributes_.nocase ? " NOCASE" : "");
    for (const KeyColumn& column : columns_) text += (column.descending() ? " -" : " +") + column.field().name;
    return text;
}

}  // namespace platform
