#include "app/windows/Tabloom.h"

#include "app/frame/WindowProcedure.h"
#include "app/main/CatalogueConnection.h"
#include "app/main/Globals.h"
#include "app/odbccatalog/CatalogQueues.h"
#include "app/txd/WriteTXD.h"
#include "platform/ui/ControlLines.h"

#include <algorithm>
#include <functional>
#include <utility>
#include <initializer_list>

using namespace platform;

namespace {

// Control numbers, in the order of the window structure.

struct Column {
    const char* header;
    int width;
};

// The window structure's list format: every column left-aligned with an
// indent of 2, a right border and resizable; the last carries the picture.
std::string listFormat(std::initializer_list<Column> columns, const char* picture) {
    std::string format;
    for (const Column& c : columns) format += std::to_string(c.width) + "L(2)|M~" + c.header + "~";
    return format + picture;
}

const std::string kTableFormat = listFormat(
    {{"Database", 51}, {"Owner", 51}, {"Table", 57}, {"Type", 47}, {"Remark", 1020}}, "@s255@");
const std::string kColumnFormat = listFormat(
    {{"Database", 0}, {"Owner", 0}, {"Table", 0}, {"Column", 55}, {"nType", 26}, {"ColumnType", 61},
     {"Column Size", 47}, {"BufferLength", 49}, {"DecimalDigits", 51}, {"NumPrecRadix", 56}, {"Nullable", 33},
     {"Remarks", 36}, {"DefaultValue", 51}, {"SqlDataType", 48}, {"SqlDateTimeSub", 60}, {"CharOctetLength", 65},
     {"OrdinalPosition", 58}, {"IsNullable", 20}},
    "@s10@");
const std::string kPrimaryKeyFormat = listFormat(
    {{"Database", 0}, {"Owner", 0}, {"Table", 0}, {"Column", 55}, {"Sequence", 38}, {"Primary key name", 47}},
    "@s100@");
const std::string kIndexFormat = listFormat(
    {{"Database", 0}, {"Owner", 0}, {"Table", 0}, {"Non unique", 44}, {"Index qualifier", 51}, {"Index name", 61},
     {"Type", 27}, {"Ordinal position", 49}, {"Column name", 51}, {"Asc / Desc", 56}, {"Cardinality", 33},
     {"Pages", 36}, {"Filter condition", 51}},
    "@s255@");
const std::string kForeignFormat = listFormat(
    {{"Database", 60}, {"Owner", 60}, {"Table", 60}, {"Column", 55}, {"Schema", 26}, {"Owner", 61}, {"Table", 47},
     {"Column", 49}, {"Sequence", 51}, {"Update rule", 56}, {"Delete rule", 33}, {"Key", 36}, {"Foreign key", 51},
     {"Deferrability", 48}},
    "@s100@");

// Each list fills its tab's page.
constexpr Rect kPage{2, 2, 444, 146};

WindowSpec catalogueWindow() {
    return {.label = "P1$WINDOW",
            .title = "Tabloom",
            .icon = "zel.ico",
            .at = {0, 0, 460, 268},
            .mdi = true,
            .controls = {
                sheet("?Sheet", {4, 4, 452, 170},
                      {tab("?TablesTab", "Tables", {list("?TableList", GTQ, kTableFormat, kPage)}),
                       tab("?ColumnsTab", "Columns", {list("?columnlist", GCQ, kColumnFormat, kPage)}),
                       tab("?PrimaryKeysTab", "Primary keys", {list("?PrimaryKeyList", GPQ, kPrimaryKeyFormat, kPage)}),
                       tab("?IndexesTab", "Indexes", {list("?IndexList", GIQ, kIndexFormat, kPage)}),
                       tab("?RelationsTab", "Relations", {list("?ForeignList", GFQ, kForeignFormat, kPage)})}),
                text(CREATE::string, "?TableString", "Current selected table:", 4, 182),
                entry("?Tablename", "@s255", bind(GTQ.rec.TABLENAME), {90, 180, 200, 12}),
                button("?RegetButton", "&Reget tables, columns, etc.", {300, 179, 156, 14}),
                text(CREATE::prompt, "?Glo:OwnerFilter:Prompt", "Filter on owner:", 4, 198),
                entry("?Glo:OwnerFilter", "@s254", bind(Glo::OwnerFilter), {90, 196, 120, 12}),
                text(CREATE::prompt, "?Glo:TXDFilename:Prompt", "TXD filename:", 4, 214),
                entry("?Glo:TXDFilename", "@s255", bind(Glo::TXDFilename), {90, 212, 200, 12}),
                check("?Glo:ExternalNames", "Do not use external names", Glo::ExternalNames, 300, 198),
                check("?Glo:TablesOnly", "Show tables only", Glo::TablesOnly, 300, 210),
                {.type = CREATE::combo, .label = "?Glo:Driver", .text = "@s80", .at = {90, 228, 80, 12},
                 .use = bind(Glo::Driver), .choices = "MSSQL|ODBC|ORACLE"},
                check("?Glo:NoRelations", "No relations", Glo::NoRelations, 300, 222),
                check("?Glo:SystemTables", "Also generate system tables", Glo::SystemTables, 300, 234),
                button("?WriteTXDButton", "&Write Clarion TXD", {300, 250, 96, 14}),
                button("?CloseButton", "Close", {400, 250, 56, 14}, STD::Close),
                text(CREATE::string, "?DriverString", "Generate with file driver:", 4, 230),
                // How far the dictionary writer is while it works.
                {.type = CREATE::string, .label = "?ProgressString", .at = {4, 252, 290, 10}},
            }};
}

class TabloomWindow : public WindowProcedure {
public:
    TabloomWindow() : WindowProcedure("Tabloom", catalogueWindow(), "?TableList") {}

    Byte TakeAccepted() override {
        const Long control = window().field();
        // The dictionary is written from a table list read afresh with the
        // current options; the writer says why when there is no connection.
        if (control == WriteTXDButton) RegetTables(false);
        const Byte result = WindowProcedure::TakeAccepted();
        if (control == WriteTXDButton) {
            window().update();
            WriteTXD(TxdProgress([this](const std::string& text) { ShowProgress(text); }));
            window().display();
        } else if (control == RegetButton) {
            window().update();
            RegetTables();
        }
        return result;
    }

    Byte TakeNewSelection() override {
        const Byte result = WindowProcedure::TakeNewSelection();
        if (window().field() == TableList) ReadSelectedTable();
        return result;
    }

protected:
    void setUp() override { RefreshTables(); }

private:
    const Long TableList = equate("?TableList");
    const Long RegetButton = equate("?RegetButton");
    const Long WriteTXDButton = equate("?WriteTXDButton");
    const Long ProgressString = equate("?ProgressString");
    CatalogueConnection connection_;

    void RegetTables(bool mayTell = true) {
        if (!connection_.check(mayTell)) {
            emptyQueues({&GTQ, &GFQ});
            window().display();
            return;
        }
        ODBCCatalog->GetTables(GTQ, Glo::OwnerFilter.view(), Glo::SystemTables, 0, 0, Glo::TablesOnly);
        // A list that could not be read has no relations to read either.
        if (ODBCCatalog->TableList.failure.empty()) ODBCCatalog->GetForeignKeys(GFQ, "");
        else emptyQueues({&GFQ});
        takeFirstTable();
        window().display();
        connection_.tablesRead(mayTell);
    }

    // The writer waits for no event: the window is painted at once.
    void ShowProgress(const std::string& text) {
        window().setProperty(ProgressString, PROP::Text, text);
        window().redraw();
    }

    void RefreshTables() {
        RegetTables();
        POST(EVENT::NewSelection, TableList);
    }

    // No row chosen yet: the current record stays, the first table after a read.
    void ReadSelectedTable() {
        GTQ.get(static_cast<std::size_t>(std::max<Long>(0, window().numberProperty(TableList, PROP::Selected))));
        if (!connection_.usable()) {
            emptyQueues({&GPQ, &GIQ, &GCQ, &GFQ});
            window().display();
            return;
        }
        ReadDetails(GTQ.rec.catalogueName(), clip(GTQ.rec.OWNER.view()));
        window().display();
        connection_.detailsRead();
    }

    // Each read only while the ones before it found the connection: the
    // details are the table's, or none.
    void ReadDetails(const std::string& table, const std::string& owner) {
        // The owner keeps a driver from looking only on its search path.
        const std::pair<QueueBase*, std::function<void()>> reads[] = {
            {&GPQ, [&] { ODBCCatalog->GetPrimaryKeys(GPQ, table, owner); }},
            {&GIQ, [&] { ODBCCatalog->GetStatistics(GIQ, table, kAllIndexes, owner); }},
            {&GCQ, [&] { ODBCCatalog->GetColumns(GCQ, table, owner); }},
            {&GFQ, [&] { ODBCCatalog->GetForeignKeys(GFQ, table, owner); }},
        };
        bool connected = true;
        for (const auto& [queue, read] : reads) {
            if (!connected) {
                emptyQueues({queue});
                continue;
            }
            read();
            connected = !ODBCCatalog->ConnectionFailed;
        }
    }
};

}  // namespace

void Tabloom() { TabloomWindow().call(); }
