#include "app/txd/WriteTXD.h"

#include "app/main/Globals.h"
#include "app/odbccatalog/CatalogQueues.h"
#include "app/txd/CleanName.h"
#include "app/txd/DictionaryHeader.h"
#include "app/txd/DictionaryTables.h"
#include "app/txd/FileBlockWriter.h"
#include "app/txd/OracleNames.h"
#include "app/txd/PrefixMaker.h"
#include "app/txd/TablePlan.h"
#include "app/txd/TxdFilename.h"
#include "app/txd/TxdProgress.h"
#include "app/txd/WriteRelationSection.h"
#include "platform/message/Message.h"
#include "platform/program/TextViewer.h"

namespace {

// The label of the fixed block of the program-wide variables.
constexpr std::string_view kGlobalsLabel = "GlobalVariables";

bool isSkippedSystemTable(const GTQRecord& row, const TxdOptions& options) {
    return row.TABLETYPE == "SYSTEM TABLE" && !options.writeSystemTables;
}

// The tables of GTQ that get a FILE block, for their reads to be made ahead.
std::vector<CatalogReadAhead::Table> tablesToWrite(const TxdOptions& options) {
    std::vector<CatalogReadAhead::Table> tables;
    for (std::size_t i = 1; i <= GTQ.records(); ++i)
        if (!isSkippedSystemTable(GTQ.at(i), options))
            tables.push_back({platform::clip(GTQ.at(i).TABLENAME), GTQ.at(i).OWNER.str()});
    return tables;
}

// Writes the FILE blocks of the GTQ rows, each with its own label, prefix and
// numbers, and keeps the tables that had to be left out.
class TableBlocks {
public:
    TableBlocks(TxdOutput& output, DictionaryTables& written, CatalogReadAhead& catalogue, const TxdOptions& options)
        : output_(output), written_(written), catalogue_(catalogue), options_(options) {
        labels_.reserve(kGlobalsLabel);
    }

    // Gives the current GTQ row its label and keeps the catalogue's name;
    // every row gets its label, also after a failed write.
    void take() {
        GTQ.rec.ORGINALTABLENAME = GTQ.rec.TABLENAME.view();
        const std::string label = CleanName(GTQ.rec.TABLENAME);
        std::string tableLabel = options_.oracle ? oracleName(label) : label;
        if (!output_.failed() && !isSkippedSystemTable(GTQ.rec, options_)) tableLabel = write(tableLabel);
        GTQ.rec.TABLENAME = tableLabel;
        GTQ.put();
    }

    // The tables left out, each with the reason of its first name left out.
    const std::vector<LeftOutName>& leftOut() const { return leftOut_; }

private:
    // The label the block got; `label` as it is for a table left out, which
    // the catalogue queues cannot describe whole.
    std::string write(const std::string& label) {
        TxdTable table{platform::clip(GTQ.rec.ORGINALTABLENAME), GTQ.rec.OWNER.str(), ""};
        TablePlan plan = PlanTable(table, options_, catalogue_);
        if (!plan.reads.check(output_, table.catalogueName)) return label;
        if (!plan.reads.leftOutNames.empty()) {
            leftOut_.push_back({table.catalogueName, plan.reads.leftOutNames.front().reason});
            return label;
        }
        const std::string unique = labels_.take(label);
        table.prefix = prefixes_.prefixFor(unique);
        WriteFileBlock(output_, numbers_, unique, table, plan, options_);
        written_.add(unique, table, std::move(plan.labels));
        return unique;
    }

    TxdOutput& output_;
    DictionaryTables& written_;
    CatalogReadAhead& catalogue_;
    const TxdOptions& options_;
    DictionaryNumbers numbers_;
    PrefixMaker prefixes_;
    UniqueLabels labels_;
    std::vector<LeftOutName> leftOut_;
};

// The header, a FILE block per table and the relations; the tables left out.
std::vector<LeftOutName> writeDictionary(TxdOutput& output, const TxdOptions& options, const TxdProgress& progress) {
    WriteDictionaryHeader(output);
    DictionaryTables written;
    CatalogReadAhead catalogue(*ODBCCatalog, tablesToWrite(options), options.writeRelations);
    TableBlocks blocks(output, written, catalogue, options);
    for (std::size_t i = 1; i <= GTQ.records(); ++i) {
        GTQ.get(i);
        blocks.take();
        progress.step("Writing the tables", i, GTQ.records());
    }
    if (options.writeRelations && !output.failed()) WriteRelationSection(output, written, catalogue, progress);
    return blocks.leftOut();
}

// The tables the table list left out for their own names, and those the
// writer left out for the names of their columns or indexes.
void reportLeftOut(const std::vector<LeftOutName>& byName, const std::vector<LeftOutName>& byParts) {
    if (byName.empty() && byParts.empty()) return;
    std::string text = "These tables are left out of the dictionary:";
    for (const LeftOutName& table : byName) text += "|" + table.shown + " (a name " + leftOutReason(table.reason) + ")";
    for (const LeftOutName& table : byParts)
        text += "|" + table.shown + " (a column or index name " + leftOutReason(table.reason) + ")";
    platform::MESSAGE(text, "Write Clarion TXD", platform::ICON_EXCLAMATION);
}

void reportUnwritten(const std::string& fileName, const std::string& failure) {
    platform::MESSAGE("The dictionary could not be written to|" + fileName + "|" + failure, "Write Clarion TXD",
                      platform::ICON_HAND);
}

}  // namespace

void WriteTXD(const TxdProgress& progress) {
    // An existing dictionary is not to be replaced by one without the tables.
    if (ODBCCatalog && !ODBCCatalog->TableList.failure.empty()) {
        platform::MESSAGE("The dictionary is not written: the tables could not be read.|" +
                              ODBCCatalog->TableList.failure,
                          "Write Clarion TXD", platform::ICON_EXCLAMATION);
        return;
    }
    if (!ODBCCatalog || !ODBCCatalog->Connected()) {
        const std::string reason = ODBCCatalog ? "|" + ODBCCatalog->ConnectFailure() : std::string();
        platform::MESSAGE("There is no connection to write a dictionary from." + reason, "Write Clarion TXD",
                          platform::ICON_EXCLAMATION);
        return;
    }
    // Kept now: a STOP box of the relations lets another window replace the catalogue object.
    const std::vector<LeftOutName> tablesLeftOut = ODBCCatalog->TableList.leftOut;
    const TxdOptions options = TxdOptions::fromGlobals();
    if (!completeGlobalTxdFilename()) return;
    const std::string fileName = platform::clip(Glo::TXDFilename);
    TxdOutput output(fileName);
    const std::vector<LeftOutName> leftOut =
        output.begin() ? writeDictionary(output, options, progress) : std::vector<LeftOutName>();
    progress.end();
    if (!output.finish()) {
        reportUnwritten(fileName, output.failure());
        return;
    }
    reportLeftOut(tablesLeftOut, leftOut);
    platform::openInTextViewer(fileName);
}
