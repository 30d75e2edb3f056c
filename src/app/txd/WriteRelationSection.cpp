#include "app/txd/WriteRelationSection.h"

#include "app/txd/CollectForeignKeys.h"
#include "app/txd/ReadSysRel.h"
#include "app/txd/WriteRelations.h"

void WriteRelationSection(TxdOutput& output, const DictionaryTables& tables) {
    RelationQueue srq;
    CollectForeignKeys(srq, tables);
    if (srq.records() == 0) ReadSysRel(srq);
    if (srq.records() > 0) WriteRelations(output, srq, tables);
}
