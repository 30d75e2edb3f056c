// A KEY of a keyed file: a label, components (fields, ascending or
// descending), unique or not, NOCASE or not. A key is declared as a member of
// its file's declaration, after the record, and registers with the file:
//
//   struct ZelRestyleFile : platform::KeyedFile {
//       ZELRESTYLEFILERecord rec;
//       platform::FileKey P_KEY_ZELRF{*this, "P_KEY_ZELRF",
//                                     {{"CONDITIONALSETID"}, {"PROPERTY"}, {"PARAMETER"}}, {.unique = true}};
//   };
//
// Keys order by bytes, trailing blanks ignored; NOCASE compares upper-cased
// Windows-1252; rows with equal keys come in the order they were added.
#pragma once

#include "platform/data/Queue.h"
#include "platform/files/KeyColumn.h"

#include <string>
#include <vector>

namespace platform {

class KeyedFile;

struct KeyAttributes {
    bool unique = false;  // PRIMARY, or a key without duplicates
    bool nocase = false;
};

class FileKey {
public:
    // Each component names a field of the file's record; a name the record
    // lacks is a declaration error (std::logic_error).
    FileKey(KeyedFile& file, std::string label, const std::vector<SortKey>& components,
            KeyAttributes attributes = {});
    FileKey(const FileKey&) = delete;
    FileKey& operator=(const FileKey&) = delete;

    KeyedFile& file() const { return *file_; }
    const std::string& label() const { return label_; }
    const KeyAttributes& attributes() const { return attributes_; }
    const std::vector<KeyColumn>& columns() const { return columns_; }
    // Its place among its file's keys, from 0.
    std::size_t number() const { return number_; }
    // What the stored layout says of the key.
    std::string signature() const;

private:
    KeyedFile* file_;
    std::string label_;
    KeyAttributes attributes_;
    std::vector<KeyColumn> columns_;
    std::size_t number_;
};

}  // namespace platform
