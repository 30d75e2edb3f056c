#include "app/txd/CollectForeignKeys.h"

#include "app/main/Globals.h"
#include "app/odbccatalog/CatalogQueues.h"

namespace {

const std::vector<platform::SortKey>& columnPairKey() {
    static const std::vector<platform::SortKey> key = {
        {"SRQ:SZCOLUMN"}, {"SRQ:SZOBJECT"}, {"SRQ:SZREFERENCEDCOLUMN"}, {"SRQ:SZREFERENCEDOBJECT"}};
    return key;
}

void addColumnPair(RelationQueue& srq, const GFQRecord& foreignKey) {
    srq.clear();
    srq.rec.SZOBJECT = foreignKey.FKTABLE_NAME;
    srq.rec.SZCOLUMN = foreignKey.FKCOLUMN_NAME;
    srq.rec.SZREFERENCEDOBJECT = foreignKey.PKTABLE_NAME;
    srq.rec.SZREFERENCEDCOLUMN = foreignKey.PKCOLUMN_NAME;
    srq.rec.SZRELATIONSHIP = "FK_" + foreignKey.PKTABLE_NAME.str() + foreignKey.FKTABLE_NAME.str();
    srq.rec.OBJECTOWNER = foreignKey.FKTABLE_SCHEM;
    srq.rec.REFERENCEDOBJECTOWNER = foreignKey.PKTABLE_SCHEM;
    if (!srq.get(columnPairKey())) srq.add();
}

}  // namespace

void CollectForeignKeys(RelationQueue& srq, const DictionaryTables& tables) {
    for (const DictionaryTable& written : tables.all()) {
        ODBCCatalog->GetForeignKeys(GFQ, written.table.catalogueName, written.table.owner);
        for (std::size_t i = 1; i <= GFQ.records(); ++i) addColumnPair(srq, GFQ.at(i));
    }
}
