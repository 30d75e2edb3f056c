#include "app/odbccatalog/CatalogQueues.h"

using platform::clip;

bool takeFirstTable() {
    if (GTQ.get(1)) return true;
    GTQ.clear();
    return false;
}

void emptyQueues(std::initializer_list<platform::QueueBase*> queues) {
    for (platform::QueueBase* q : queues) {
        q->free();
        q->clear();
    }
}

std::string GTQRecord::catalogueName() const {
    return clip(ORGINALTABLENAME.empty() ? TABLENAME.view() : ORGINALTABLENAME.view());
}

platform::Queue<GTQRecord> GTQ;
platform::Queue<GCQRecord> GCQ;
platform::Queue<GIQRecord> GIQ;
platform::Queue<GPQRecord> GPQ;
platform::Queue<GFQRecord> GFQ;
platform::OdbcFile ODBCFILE("ODBCFILE");
