#include "app/txd/CollectForeignKeys.h"

#include "app/main/Globals.h"
#include "app/odbccatalog/CatalogQueues.h"
#include "app/txd/CatalogueReads.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

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

// The blocks' positions by the catalogue name of their table.
class BlockPositions {
public:
    explicit BlockPositions(const DictionaryTables& tables) : tables_(tables) {
        for (std::size_t i = 0; i < tables.all().size(); ++i) byName_[tables.all()[i].table.catalogueName].push_back(i);
    }

    // The first block of the referenced table: of its name, and of its owner
    // when the block has one.
    std::optional<std::size_t> referenced(const GFQRecord& foreignKey) const {
        const auto named = byName_.find(platform::clip(foreignKey.PKTABLE_NAME));
        if (named == byName_.end()) return std::nullopt;
        const std::string owner = platform::clip(foreignKey.PKTABLE_SCHEM);
        for (const std::size_t i : named->second) {
            const std::string& blockOwner = tables_.all()[i].table.owner;
            if (blockOwner.empty() || blockOwner == owner) return i;
        }
        return std::nullopt;
    }

private:
    const DictionaryTables& tables_;
    std::map<std::string, std::vector<std::size_t>> byName_;
};

}  // namespace

void CollectForeignKeys(RelationQueue& srq, const DictionaryTables& tables, CatalogReadAhead& catalogue, TxdOutput& output,
                        const TxdProgress& progress) {
    const BlockPositions blocks(tables);
    std::vector<std::vector<GFQRecord>> byReferenced(tables.all().size());
    std::size_t done = 0;
    for (const DictionaryTable& referring : tables.all()) {
        catalogue.GetForeignKeysFrom(GFQ, referring.table.catalogueName, referring.table.owner);
        CatalogueReads reads;
        reads.takeLastRead();
        if (!reads.check(output, referring.table.catalogueName)) return;
        for (std::size_t i = 1; i <= GFQ.records(); ++i)
            if (const std::optional<std::size_t> at = blocks.referenced(GFQ.at(i))) byReferenced[*at].push_back(GFQ.at(i));
        progress.step("Reading the relations", ++done, tables.all().size());
    }
    for (const std::vector<GFQRecord>& pairs : byReferenced)
        for (const GFQRecord& pair : pairs) addColumnPair(srq, pair);
}
