#include "app/txd/TablePlan.h"

#include "app/main/Globals.h"
#include "app/odbccatalog/CatalogQueues.h"
#include "app/txd/OracleNames.h"
#include "app/txd/TableIndexes.h"

namespace {

// The field of the current GCQ row; none for a column left out (IMAGE).
std::optional<PlannedField> plannedField(TablePlan& plan, std::size_t position, const TxdOptions& options) {
    const GCQRecord& column = GCQ.rec;
    const std::optional<TxdFieldType> type =
        FieldTypeFor({column.COLUMNTYPE.view(), column.COLUMNSIZE, column.DECIMALDIGITS, column.NCOLUMNTYPE},
                     options.oracle);
    if (!type) return std::nullopt;
    const std::string catalogueName = platform::clip(column.COLUMNNAME);
    PlannedField field{position, options.oracle ? platform::clip(oracleColumnName(catalogueName)) : catalogueName,
                       plan.labels.addField(catalogueName), *type};
    if (type->dateTimeGroup) {
        field.groupLabel = plan.labels.addLabel(field.label + "_GROUP");
        field.dateLabel = plan.labels.addLabel(field.label + "_DATE");
        field.timeLabel = plan.labels.addLabel(field.label + "_TIME");
    }
    return field;
}

void planColumns(TablePlan& plan, const TxdTable& table, const TxdOptions& options, CatalogReadAhead& catalogue) {
    catalogue.GetColumns(GCQ, table.catalogueName, table.owner);
    plan.reads.takeLastRead();
    for (std::size_t i = 1; i <= GCQ.records(); ++i) {
        GCQ.get(i);
        std::optional<PlannedField> field = plannedField(plan, i, options);
        // GCQ keeps the names the fields got.
        if (options.oracle) {
            GCQ.rec.COLUMNNAME = oracleColumnName(GCQ.rec.COLUMNNAME);
            GCQ.put();
        }
        if (field) plan.fields.push_back(std::move(*field));
    }
}

}  // namespace

TablePlan PlanTable(const TxdTable& table, const TxdOptions& options, CatalogReadAhead& catalogue) {
    TablePlan plan(options);
    planColumns(plan, table, options, catalogue);
    plan.reads.take(ReadTableIndexes(catalogue, table.catalogueName, table.owner));
    return plan;
}
