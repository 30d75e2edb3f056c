#include "app/txd/RelationQueue.h"

using platform::field;

const platform::FieldTable& SRQRecord::fieldTable() {
    using R = SRQRecord;
    static const platform::FieldTable table{{
        field("SRQ:CCOLUMN", &R::CCOLUMN),
        field("SRQ:GRBIT", &R::GRBIT),
        field("SRQ:ICOLUMN", &R::ICOLUMN),
        field("SRQ:SZCOLUMN", &R::SZCOLUMN),
        field("SRQ:SZOBJECT", &R::SZOBJECT),
        field("SRQ:SZREFERENCEDCOLUMN", &R::SZREFERENCEDCOLUMN),
        field("SRQ:SZREFERENCEDOBJECT", &R::SZREFERENCEDOBJECT),
        field("SRQ:SZRELATIONSHIP", &R::SZRELATIONSHIP),
        field("SRQ:OBJECTOWNER", &R::OBJECTOWNER),
        field("SRQ:REFERENCEDOBJECTOWNER", &R::REFERENCEDOBJECTOWNER),
    }};
    return table;
}
