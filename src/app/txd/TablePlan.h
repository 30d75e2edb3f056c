// What one table's FILE block will hold, read from the catalogue before any
// of it is written: its fields with their labels and types (GCQ holds the
// columns), and its index rows (in GIQ and GPQ, as ReadTableIndexes leaves
// them), whose keys take their labels after every field.
#pragma once

#include "app/odbccatalog/CatalogReadAhead.h"
#include "app/txd/CatalogueReads.h"
#include "app/txd/DictionaryLabels.h"
#include "app/txd/FieldType.h"
#include "app/txd/TxdOptions.h"
#include "app/txd/TxdTable.h"

#include <string>
#include <vector>

struct PlannedField {
    std::size_t position = 0;  // the column's place in the catalogue's list, from 1
    std::string name;          // as the field's NAME gives it (under ORACLE renamed)
    std::string label;
    TxdFieldType type;
    // The group of a date-and-time field and its two fields.
    std::string groupLabel, dateLabel, timeLabel;
};

struct TablePlan {
    explicit TablePlan(const TxdOptions& options) : labels(options) {}

    std::vector<PlannedField> fields;
    TableLabels labels;
    // Names the catalogue queues could not hold whole mean the table cannot
    // be described as it is; a failed read, that it cannot be described at all.
    CatalogueReads reads;
};

TablePlan PlanTable(const TxdTable& table, const TxdOptions& options, CatalogReadAhead& catalogue);
