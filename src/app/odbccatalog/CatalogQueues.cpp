#include "app/odbccatalog/CatalogQueues.h"

using platform::clip;
using platform::field;
using platform::FieldTable;

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

const FieldTable& GTQRecord::fieldTable() {
    using R = GTQRecord;
    static const FieldTable table{{
        field("GTQ:CATALOG", &R::CATALOG),
        field("GTQ:OWNER", &R::OWNER),
        field("GTQ:TABLENAME", &R::TABLENAME),
        field("GTQ:TABLETYPE", &R::TABLETYPE),
        field("GTQ:REMARKS", &R::REMARKS),
        field("GTQ:ORGINALTABLENAME", &R::ORGINALTABLENAME),
    }};
    return table;
}

const FieldTable& GCQRecord::fieldTable() {
    using R = GCQRecord;
    static const FieldTable table{{
        field("GCQ:DATABASE", &R::DATABASE),
        field("GCQ:OWNER", &R::OWNER),
        field("GCQ:TABLE", &R::TABLE),
        field("GCQ:COLUMNNAME", &R::COLUMNNAME),
        field("GCQ:NCOLUMNTYPE", &R::NCOLUMNTYPE),
        field("GCQ:COLUMNTYPE", &R::COLUMNTYPE),
        field("GCQ:COLUMNSIZE", &R::COLUMNSIZE),
        field("GCQ:BUFFERLENGTH", &R::BUFFERLENGTH),
        field("GCQ:DECIMALDIGITS", &R::DECIMALDIGITS),
        field("GCQ:NUMPRECRADIX", &R::NUMPRECRADIX),
        field("GCQ:NULLABLE", &R::NULLABLE),
        field("GCQ:REMARKS", &R::REMARKS),
        field("GCQ:DEFAULTVALUE", &R::DEFAULTVALUE),
        field("GCQ:SQLDATATYPE", &R::SQLDATATYPE),
        field("GCQ:SQLDATETIMESUB", &R::SQLDATETIMESUB),
        field("GCQ:CHAROCTETLENGTH", &R::CHAROCTETLENGTH),
        field("GCQ:ORDINALPOSITION", &R::ORDINALPOSITION),
        field("GCQ:ISNULLABLE", &R::ISNULLABLE),
        field("GCQ:MARK", &R::MARK),
    }};
    return table;
}

const FieldTable& GIQRecord::fieldTable() {
    using R = GIQRecord;
    static const FieldTable table{{
        field("GIQ:DATABASE", &R::DATABASE),
        field("GIQ:OWNER", &R::OWNER),
        field("GIQ:TABLE", &R::TABLE),
        field("GIQ:NON_UNIQUE", &R::NON_UNIQUE),
        field("GIQ:INDEX_QUALIFIER", &R::INDEX_QUALIFIER),
        field("GIQ:INDEX_NAME", &R::INDEX_NAME),
        field("GIQ:INDEXTYPE", &R::INDEXTYPE),
        field("GIQ:ORDINALPOSITION", &R::ORDINALPOSITION),
        field("GIQ:COLUMN_NAME", &R::COLUMN_NAME),
        field("GIQ:ASC_OR_DESC", &R::ASC_OR_DESC),
        field("GIQ:CARDINALITY", &R::CARDINALITY),
        field("GIQ:PAGES", &R::PAGES),
        field("GIQ:FILTER_CONDITION", &R::FILTER_CONDITION),
        field("GIQ:PRIMARYKEY", &R::PRIMARYKEY),
    }};
    return table;
}

const FieldTable& GPQRecord::fieldTable() {
    using R = GPQRecord;
    static const FieldTable table{{
        field("GPQ:DATABASE", &R::DATABASE),
        field("GPQ:OWNER", &R::OWNER),
        field("GPQ:TABLE", &R::TABLE),
        field("GPQ:COLUMNNAME", &R::COLUMNNAME),
        field("GPQ:ORDINALPOSITION", &R::ORDINALPOSITION),
        field("GPQ:INDEX_NAME", &R::INDEX_NAME),
    }};
    return table;
}

const FieldTable& GFQRecord::fieldTable() {
    using R = GFQRecord;
    static const FieldTable table{{
        field("GFQ:PKTABLE_CAT", &R::PKTABLE_CAT),
        field("GFQ:PKTABLE_SCHEM", &R::PKTABLE_SCHEM),
        field("GFQ:PKTABLE_NAME", &R::PKTABLE_NAME),
        field("GFQ:PKCOLUMN_NAME", &R::PKCOLUMN_NAME),
        field("GFQ:FKTABLE_CAT", &R::FKTABLE_CAT),
        field("GFQ:FKTABLE_SCHEM", &R::FKTABLE_SCHEM),
        field("GFQ:FKTABLE_NAME", &R::FKTABLE_NAME),
        field("GFQ:FKCOLUMN_NAME", &R::FKCOLUMN_NAME),
        field("GFQ:KEY_SEQ", &R::KEY_SEQ),
        field("GFQ:UPDATE_RULE", &R::UPDATE_RULE),
        field("GFQ:DELETE_RULE", &R::DELETE_RULE),
        field("GFQ:FK_NAME", &R::FK_NAME),
        field("GFQ:PK_NAME", &R::PK_NAME),
        field("GFQ:DEFERRABILITY", &R::DEFERRABILITY),
    }};
    return table;
}

platform::Queue<GTQRecord> GTQ;
platform::Queue<GCQRecord> GCQ;
platform::Queue<GIQRecord> GIQ;
platform::Queue<GPQRecord> GPQ;
platform::Queue<GFQRecord> GFQ;
platform::OdbcFile ODBCFILE("ODBCFILE");
