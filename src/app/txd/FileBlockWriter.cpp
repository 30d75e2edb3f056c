#include "app/txd/FileBlockWriter.h"

#include "app/txd/FieldWriter.h"
#include "app/txd/KeyWriter.h"
#include "app/txd/TxdText.h"

void WriteFileBlock(TxdOutput& output, DictionaryNumbers& numbers, std::string_view label, const TxdTable& table,
                    TablePlan& plan, const TxdOptions& options) {
    output.line(std::string(label) + " FILE,DRIVER(" + quoted(options.driver) +
                ",Glo:Driveroptions),OWNER(Glo:ConnectString)" + nameAttribute(options, table.catalogueName) +
                ",PRE(" + table.prefix + "),BINDABLE,THREAD");
    output.line(identLine(++numbers.file, ",USAGE(File)"));
    WriteKeys(output, numbers, table, plan.labels, options);
    output.line("Record RECORD");
    WriteColumns(output, numbers, plan.fields, options);
    output.line("    END");
    output.line("  END");
    output.line("");
}
