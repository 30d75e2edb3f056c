#include "app/txd/WriteRelationSection.h"

#include "app/txd/CollectForeignKeys.h"
#include "app/txd/ReadSysRel.h"
#include "app/txd/WriteRelations.h"

void WriteRelationSection(TxdOutput& output, const DictionaryTables& tables, CatalogReadAhead& catalogue,
                          const TxdProgress& progress) {
    RelationQueue srq;
    CollectForeignKeys(srq, tables, catalogue, output, progress);
    if (output.failed()) return;
    if (srq.records() == 0) ReadSysRel(srq);
    if (srq.records() > 0) WriteRelations(output, srq, tables, catalogue, progress);
}
