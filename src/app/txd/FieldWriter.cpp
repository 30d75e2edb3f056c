#include "app/txd/FieldWriter.h"

#include "app/main/Globals.h"
#include "app/odbccatalog/CatalogQueues.h"
#include "app/txd/CleanName.h"
#include "app/txd/FieldType.h"
#include "app/txd/OracleNames.h"
#include "app/txd/TxdText.h"

namespace {

// Columns after this many no longer get their own entry controls.
constexpr std::size_t kPopulatedColumns = 150;

void writeNoPopulate(TxdOutput& output) {
    output.line("[QUICKCODE]");
    output.line("!NOPOPULATE");
}

void writeDateTimeGroup(TxdOutput& output, DictionaryNumbers& numbers, const std::string& label,
                        const std::string& name) {
    output.line(label + "_GROUP                GROUP,OVER(" + label + ")");
    output.line(identLine(++numbers.field));
    output.line(label + "_DATE                 DATE");
    output.line(identLine(++numbers.field, ",PROMPT(" + quoted(name + " DATE:") + "),HEADER(" +
                                               quoted(name + " DATE") + "),PICTURE(@d17),JUSTIFY(RIGHT,1)"));
    output.line(label + "_TIME                 TIME");
    output.line(identLine(++numbers.field, ",PROMPT(" + quoted(name + " TIME:") + "),HEADER(" +
                                               quoted(name + " TIME") + "),PICTURE(@t7),JUSTIFY(RIGHT,1)"));
    output.line("  END");
    output.line(identLine(++numbers.field));
}

void writeColumn(TxdOutput& output, DictionaryNumbers& numbers, const TxdOptions& options, std::size_t position) {
    const GCQRecord& column = GCQ.rec;
    const std::optional<std::string> fieldType =
        FieldTypeFor({column.COLUMNTYPE.view(), column.COLUMNSIZE, column.DECIMALDIGITS, column.NCOLUMNTYPE},
                     options.oracle);
    if (!fieldType) return;
    const bool dateTime = isDateTimeColumn(column.COLUMNTYPE);
    if (dateTime || position > kPopulatedColumns) writeNoPopulate(output);
    const std::string name = platform::clip(column.COLUMNNAME);
    const std::string label = CleanName(name);
    output.line(label + " " + *fieldType + nameAttribute(options, name));
    output.line(identLine(++numbers.field, ",PROMPT(" + quoted(label + ":") + "),HEADER(" + quoted(label) +
                                               "),MESSAGE(" + quoted(label) + "),TOOLTIP(" + quoted(label) + ")"));
    if (dateTime) writeDateTimeGroup(output, numbers, label, name);
}

}  // namespace

void WriteColumns(TxdOutput& output, DictionaryNumbers& numbers, const TxdTable& table, const TxdOptions& options) {
    ODBCCatalog->GetColumns(GCQ, table.catalogueName, table.owner);
    for (std::size_t i = 1; i <= GCQ.records(); ++i) {
        GCQ.get(i);
        if (options.oracle) {
            GCQ.rec.COLUMNNAME = oracleColumnName(GCQ.rec.COLUMNNAME);
            GCQ.put();
        }
        writeColumn(output, numbers, options, i);
    }
}
