// The table prefixes of one dictionary: the first three characters of the
// label, followed by 1, 2, ... when a prefix is taken already. Prefixes are
// unique without regard to letter case, and never GLO, the prefix of the
// program-wide variables; each keeps the case of its label.
#pragma once

#include "app/odbccatalog/CatalogQueues.h"
#include "app/txd/UniqueLabels.h"
#include "platform/data/Queue.h"
#include "platform/data/Record.h"
#include "platform/text/Text.h"

#include <string>
#include <string_view>
#include <vector>

// PREFIX is upper-cased; TABLENAME is the table's label, cleaned.
#define PFQ_FIELDS(X)                  \
    X(platform::CString<20>, PREFIX)   \
    X(CatalogName, TABLENAME)
struct PrefixRecord {
    TABLOOM_RECORD(PrefixRecord, "PFQ", PFQ_FIELDS)
};

class PrefixMaker {
public:
    PrefixMaker();
    // The prefix of the table with this label, recorded in the queue.
    std::string prefixFor(std::string_view label);
    // One row per table written, in PREFIX order.
    platform::Queue<PrefixRecord>& queue() { return queue_; }

private:
    UniqueLabels prefixes_;
    platform::Queue<PrefixRecord> queue_;
    // The queue's PREFIX column in its (byte) order: the place of a new row
    // without a scan of the queue.
    std::vector<std::string> sortedPrefixes_;
};
