#include "app/txd/KeyWriter.h"

#include "app/odbccatalog/CatalogQueues.h"
#include "app/txd/OracleNames.h"
#include "app/txd/TxdText.h"

namespace {

// Keys are written whole, however many columns they have.
class PendingKey {
public:
    PendingKey(TxdOutput& output, DictionaryNumbers& numbers) : output_(output), numbers_(numbers) {}

    bool continues(std::string_view indexName) const { return started_ && platform::clip(indexName) == indexName_; }

    void start(const GIQRecord& row, std::string_view indexName, const std::string& label,
               const std::string& component) {
        write();
        started_ = true;
        indexName_ = platform::clip(indexName);
        text_ = label + " KEY(";
        append(component);
        attributes_ = row.NON_UNIQUE == 1 ? ",DUP" : "";
        if (row.PRIMARYKEY == 1 || indexName == "PrimaryKey") attributes_ += ",PRIMARY";
    }

    void append(const std::string& component) {
        text_ = platform::clip(text_) + component + ",";
    }

    void write() {
        if (!started_) return;
        std::string keyText = text_;
        if (!keyText.empty() && keyText.back() == ',') keyText.pop_back();
        output_.line(platform::clip(keyText) + "),NOCASE,OPT" + attributes_);
        output_.line(identLine(++numbers_.key));
        started_ = false;
    }

private:
    TxdOutput& output_;
    DictionaryNumbers& numbers_;
    bool started_ = false;
    std::string indexName_;
    std::string text_;
    std::string attributes_;
};

// A key component names the field of its column.
std::string componentOf(const GIQRecord& row, const TxdTable& table, const TableLabels& labels) {
    const std::string order = row.ASC_OR_DESC.view() == "A" ? "+" : "-";
    return order + table.prefix + ":" + labels.field(platform::clip(row.COLUMN_NAME));
}

}  // namespace

void WriteKeys(TxdOutput& output, DictionaryNumbers& numbers, const TxdTable& table, TableLabels& labels,
               const TxdOptions& options) {
    PendingKey key(output, numbers);
    for (std::size_t i = 1; i <= GIQ.records(); ++i) {
        GIQ.get(i);
        // The relations find the key by the cleaned name.
        const std::string cleanedName = GIQ.rec.INDEX_NAME.str();
        if (options.oracle) {
            GIQ.rec.INDEX_NAME = oracleName(GIQ.rec.INDEX_NAME);
            GIQ.put();
        }
        const std::string indexName = GIQ.rec.INDEX_NAME.str();
        const std::string component = componentOf(GIQ.rec, table, labels);
        if (key.continues(indexName))
            key.append(component);
        else
            key.start(GIQ.rec, indexName, labels.addKey(cleanedName), component);
    }
    key.write();
}
