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

// Writes the FILE blocks of the GTQ rows, each with its own label, prefix and
// numbers, and keeps the tables that had to be left out.
class TableBlocks {
public:
    TableBlocks(TxdOutput& output, DictionaryTables& written, const TxdOptions& options)
        : output_(output), written_(written), options_(options) {
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

    const std::vector<std::string>& leftOut() const { return leftOut_; }

private:
    // The label the block got; `label` as it is for a table left out, which
    // the catalogue queues cannot describe whole.
    std::string write(const std::string& label) {
        TxdTable table{platform::clip(GTQ.rec.ORGINALTABLENAME), GTQ.rec.OWNER.str(), ""};
        TablePlan plan = PlanTable(table, options_);
        if (!plan.reads.check(output_, table.catalogueName)) return label;
        if (!plan.reads.overlongNames.empty()) {
            leftOut_.push_back(table.catalogueName);
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
    const TxdOptions& options_;
    DictionaryNumbers numbers_;
    PrefixMaker prefixes_;
    UniqueLabels labels_;
    std::vector<std::string> leftOut_;
};

// The header, a FILE block per table and the relations; the tables left out.
std::vector<std::string> writeDictionary(TxdOutput& output, const TxdOptions& options, const TxdProgress& progress) {
    WriteDictionaryHeader(output);
    DictionaryTables written;
    TableBlocks blocks(output, written, options);
    for (std::size_t i = 1; i <= GTQ.records(); ++i) {
        GTQ.get(i);
        blocks.take();
        progress.step("Writing the tables", i, GTQ.records());
    }
    if (options.writeRelations && !output.failed()) WriteRelationSection(output, written, progress);
    return blocks.leftOut();
}

void reportLeftOut(const std::vector<std::string>& tables) {
    std::string text = "These tables are left out of the dictionary: names of their columns or indexes are longer "
                       "than " + std::to_string(CatalogName::capacity) + " characters.";
    for (const std::string& table : tables) text += "|" + table;
    platform::MESSAGE(text, "Write Clarion TXD", platform::ICON_EXCLAMATION);
}

void reportUnwritten(const std::string& fileName, const std::string& failure) {
    platform::MESSAGE("The dictionary could not be written to|" + fileName + "|" + failure, "Write Clarion TXD",
                      platform::ICON_HAND);
}

}  // namespace

void WriteTXD(const TxdProgress& progress) {
    // An existing dictionary is not to be replaced by one without the tables.
    if (!ODBCCatalog || !ODBCCatalog->Connected()) {
        const std::string reason = ODBCCatalog ? "|" + ODBCCatalog->ConnectFailure() : std::string();
        platform::MESSAGE("There is no connection to write a dictionary from." + reason, "Write Clarion TXD",
                          platform::ICON_EXCLAMATION);
        return;
    }
    const TxdOptions options = TxdOptions::fromGlobals();
    if (!completeGlobalTxdFilename()) return;
    const std::string fileName = platform::clip(Glo::TXDFilename);
    TxdOutput output(fileName);
    const std::vector<std::string> leftOut =
        output.begin() ? writeDictionary(output, options, progress) : std::vector<std::string>();
    progress.end();
    if (!output.finish()) {
        reportUnwritten(fileName, output.failure());
        return;
    }
    if (!leftOut.empty()) reportLeftOut(leftOut);
    platform::openInTextViewer(fileName);
}
