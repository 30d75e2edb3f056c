// How one component of a key is stored so that SQLite orders it as the key
// does. SQLite compares BLOBs bytewise and numbers as numbers, so:
// - an ascending number, and an ascending STRING with case, are ordered by
//   the field's own column (a STRING is stored clipped);
// - every other component gets a column of its own, derived from the field
//   on every write: the clipped bytes (a CSTRING keeps trailing blanks in its
//   own column), upper-cased in Windows-1252 for NOCASE, and for a
//   descending component the number negated or the bytes encoded so that
//   bytewise order turns round.
// Every index is then ascending over these columns (the row id last, as
// SQLite keeps it), and one row-value comparison seeks a walk's next row.
#pragma once

#include "platform/files/ColumnValue.h"

#include <string>

namespace platform {

class KeyColumn {
public:
    KeyColumn(const FieldInfo& field, bool descending, bool nocase);

    const FieldInfo& field() const { return *field_; }
    bool descending() const { return descending_; }
    // True when the column is not the field's own.
    bool derived() const { return derived_; }
    // The column's name: the field's ("PROFILE") or the derived one's
    // ("PROFILE:NOCASE", "CONDITIONALSETID:DESC", "NAME:CLIP").
    const std::string& name() const { return name_; }
    // What the column holds for the record, put into `into`.
    void value(const void* record, ColumnValue& into) const;

private:
    const FieldInfo* field_;
    bool descending_;
    bool nocase_;
    bool derived_;
    std::string name_;
};

}  // namespace platform
