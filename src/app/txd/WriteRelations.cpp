#include "app/txd/WriteRelations.h"

#include "app/odbccatalog/CatalogQueues.h"
#include "app/txd/CleanName.h"
#include "app/txd/TableIndexes.h"

#include <functional>
#include <initializer_list>
#include <optional>

namespace {

using RowTest = std::function<bool(const GIQRecord&)>;

// One side of a relation as the dictionary names it.
struct RelationSide {
    std::string label;
    std::string prefix;  // upper-cased, as the prefix list holds it
    std::string key;
    std::string field;
};

std::string blanks(std::size_t count) { return std::string(count, ' '); }

// GIQ gets the table's index rows as its key lines were made from (the rows
// its FILE block read, kept); rows whose index name cleans to nothing belong
// to no key that could be named. False, with the output stopped, when they
// cannot be read.
bool readKeyRows(TxdOutput& output, CatalogReadAhead& catalogue, const TxdTable& table) {
    if (!ReadTableIndexes(catalogue, table.catalogueName, table.owner).check(output, table.catalogueName)) return false;
    for (std::size_t i = GIQ.records(); i >= 1; --i) {
        GIQ.get(i);
        if (GIQ.rec.INDEX_NAME.empty()) GIQ.remove();
    }
    return true;
}

RowTest onColumn(std::string_view columnName) {
    return [column = CleanName(columnName)](const GIQRecord& row) { return CleanName(row.COLUMN_NAME) == column; };
}

// The (cleaned) index of the first row that passes the first test any row
// passes, else of the first row; none when GIQ has no rows.
std::optional<std::string> chosenIndex(std::initializer_list<RowTest> preferences) {
    if (GIQ.records() == 0) return std::nullopt;
    for (const RowTest& preferred : preferences)
        for (std::size_t i = 1; i <= GIQ.records(); ++i)
            if (preferred(GIQ.at(i))) return GIQ.at(i).INDEX_NAME.str();
    return GIQ.at(1).INDEX_NAME.str();
}

// The MANY side's key: the index named like the relationship, else one over
// the foreign-key column.
std::optional<std::string> manyIndex(const SRQRecord& pair) {
    const std::string relationship = CleanName(pair.SZRELATIONSHIP);
    const RowTest named = [&relationship](const GIQRecord& row) { return row.INDEX_NAME == relationship; };
    return chosenIndex({named, onColumn(pair.SZCOLUMN)});
}

// The ONE side's key: one over the referenced column, else the primary key.
std::optional<std::string> oneIndex(const SRQRecord& pair) {
    const RowTest primary = [](const GIQRecord& row) { return row.PRIMARYKEY == 1; };
    return chosenIndex({onColumn(pair.SZREFERENCEDCOLUMN), primary});
}

std::string fieldPair(const RelationSide& from, const RelationSide& to) {
    return "FIELD(" + from.prefix + ":" + from.field + "," + to.prefix + ":" + to.field + ")";
}

class RelationWriter {
public:
    RelationWriter(TxdOutput& output, const DictionaryTables& tables, CatalogReadAhead& catalogue)
        : output_(output), tables_(tables), catalogue_(catalogue) {}

    void write(const SRQRecord& pair) {
        if (platform::clip(pair.SZOBJECT) == platform::clip(pair.SZREFERENCEDOBJECT)) return;
        const std::optional<RelationSide> many =
            side(pair.SZOBJECT, pair.OBJECTOWNER, pair.SZCOLUMN, [&] { return manyIndex(pair); });
        if (!many) return;
        const std::optional<RelationSide> one = side(pair.SZREFERENCEDOBJECT, pair.REFERENCEDOBJECTOWNER,
                                                     pair.SZREFERENCEDCOLUMN, [&] { return oneIndex(pair); });
        if (one) writeLines(*many, *one);
    }

private:
    std::optional<RelationSide> side(std::string_view table, std::string_view owner, std::string_view column,
                                     const std::function<std::optional<std::string>()>& chooseIndex) {
        const DictionaryTable* written = tables_.find(table, owner);
        if (!written || !readKeyRows(output_, catalogue_, written->table)) return std::nullopt;
        const std::optional<std::string> index = chooseIndex();
        if (!index) return std::nullopt;
        return RelationSide{written->label, platform::upper(written->table.prefix), written->labels.key(*index),
                            written->labels.field(platform::clip(column))};
    }

    void writeLines(const RelationSide& many, const RelationSide& one) {
        output_.line(blanks(23) + "RELATION,MANY:ONE");
        output_.line(many.label + blanks(15) + "FILE(" + many.prefix + ":" + many.key + ")");
        output_.line(one.label + blanks(15) + "RELATED_FILE(" + one.prefix + ":" + one.key + ")");
        output_.line(blanks(32) + "FILE_TO_RELATED_KEY");
        output_.line(blanks(34) + fieldPair(many, one));
        output_.line(blanks(32) + "END");
        output_.line(blanks(32) + "RELATED_FILE_TO_KEY");
        output_.line(blanks(34) + fieldPair(one, many));
        output_.line(blanks(32) + "END");
        output_.line(blanks(30) + "END");
        output_.line("");
    }

    TxdOutput& output_;
    const DictionaryTables& tables_;
    CatalogReadAhead& catalogue_;
};

}  // namespace

void WriteRelations(TxdOutput& output, const RelationQueue& srq, const DictionaryTables& tables, CatalogReadAhead& catalogue,
                    const TxdProgress& progress) {
    output.line("[RELATIONS]");
    output.line("");
    output.line("");
    RelationWriter relations(output, tables, catalogue);
    for (std::size_t i = 1; i <= srq.records() && !output.failed(); ++i) {
        relations.write(srq.at(i));
        progress.step("Writing the relations", i, srq.records());
    }
}
