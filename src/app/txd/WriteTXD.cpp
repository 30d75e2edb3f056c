#include "app/txd/WriteTXD.h"

#include "app/main/Globals.h"
#include "app/odbccatalog/CatalogQueues.h"
#include "app/txd/CleanName.h"
#include "app/txd/DictionaryHeader.h"
#include "app/txd/DictionaryTables.h"
#include "app/txd/FileBlockWriter.h"
#include "app/txd/OracleNames.h"
#include "app/txd/PrefixMaker.h"
#include "app/txd/TxdFilename.h"
#include "app/txd/WriteRelationSection.h"
#include "platform/message/Message.h"
#include "platform/system/TextViewer.h"

namespace {

// Gives the current GTQ row its label and keeps the catalogue's name.
void labelCurrentTable(const TxdOptions& options) {
    GTQ.rec.ORGINALTABLENAME = GTQ.rec.TABLENAME.view();
    const std::string label = CleanName(GTQ.rec.TABLENAME);
    GTQ.rec.TABLENAME = options.oracle ? oracleName(label) : label;
    GTQ.put();
}

bool isSkippedSystemTable(const GTQRecord& row, const TxdOptions& options) {
    return row.TABLETYPE == "SYSTEM TABLE" && !options.writeSystemTables;
}

void writeTables(TxdOutput& output, DictionaryTables& written, const TxdOptions& options) {
    DictionaryNumbers numbers;
    PrefixMaker prefixes;
    for (std::size_t i = 1; i <= GTQ.records(); ++i) {
        GTQ.get(i);
        labelCurrentTable(options);
        // Every row still gets its label after a failed write.
        if (output.failed() || isSkippedSystemTable(GTQ.rec, options)) continue;
        const std::string label = GTQ.rec.TABLENAME.str();
        const TxdTable table{platform::clip(GTQ.rec.ORGINALTABLENAME), GTQ.rec.OWNER.str(),
                             prefixes.prefixFor(label)};
        WriteFileBlock(output, numbers, label, table, options);
        written.add(label, table);
    }
}

void reportUnwritten(const std::string& fileName, const std::string& failure) {
    platform::MESSAGE("The dictionary could not be written to|" + fileName + "|" + failure, "Write Clarion TXD",
                      platform::ICON_HAND);
}

}  // namespace

void WriteTXD() {
    if (!ODBCCatalog) {
        platform::MESSAGE("There is no connection to write a dictionary from.", "Write Clarion TXD",
                          platform::ICON_EXCLAMATION);
        return;
    }
    const TxdOptions options = TxdOptions::fromGlobals();
    if (!completeGlobalTxdFilename()) return;
    const std::string fileName = platform::clip(Glo::TXDFilename);
    TxdOutput output(fileName);
    if (output.begin()) {
        WriteDictionaryHeader(output);
        DictionaryTables written;
        writeTables(output, written, options);
        if (options.writeRelations && !output.failed()) WriteRelationSection(output, written, options);
    }
    if (!output.finish()) {
        reportUnwritten(fileName, output.failure());
        return;
    }
    platform::openInTextViewer(fileName);
}
