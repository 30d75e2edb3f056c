// SRQ: the column pairs of the relations, one row each, in the layout of the
// SYSREL record; a pair from the catalogue also carries the schema of each
// side, so that each table is read in its own schema.
#pragma once

#include "app/odbccatalog/CatalogQueues.h"
#include "app/txd/SysRelFile.h"
#include "platform/data/Queue.h"
#include "platform/data/Record.h"

// An empty owner stands for any schema.
#define SRQ_FIELDS(X)                             \
    SYSREL_FIELDS(X)                              \
    X(CatalogName, OBJECTOWNER)                   \
    X(CatalogName, REFERENCEDOBJECTOWNER)
struct SRQRecord {
    TABLOOM_RECORD(SRQRecord, "SRQ", SRQ_FIELDS)
};

using RelationQueue = platform::Queue<SRQRecord>;
