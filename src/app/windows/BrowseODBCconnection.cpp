#include "app/windows/BrowseODBCconnection.h"

#include "app/frame/WindowProcedure.h"
#include "app/main/CatalogueConnection.h"
#include "app/main/Globals.h"
#include "app/odbccatalog/CatalogQueues.h"
#include "platform/ui/ControlLines.h"
#include "app/windows/QueryBuilder.h"

using namespace platform;

namespace {

// Control numbers, in the order of the window structure.

constexpr std::size_t kResultColumns = 25;
using ResultValue = String<50>;

// One result row: result column i in field i; the fields have no names.
struct ResultRecord {
    ResultValue COLUMN[kResultColumns];
    static const FieldTable& fieldTable() {
        static const FieldTable table{[] {
            std::vector<FieldInfo> fields;
            for (std::size_t i = 0; i < kResultColumns; ++i)
                fields.push_back({"", FieldType::String, i * sizeof(ResultValue), sizeof(ResultValue)});
            return fields;
        }()};
        return table;
    }
};
static_assert(sizeof(ResultRecord) == kResultColumns * sizeof(ResultValue));

std::string resultFormat() {
    std::string format;
    for (std::size_t i = 0; i < kResultColumns; ++i) format += "61L(2)|M";
    return format;
}

// The procedure's locals; a base of the procedure, so they exist before its
// window binds them. They start afresh at every opening.
struct QueryLocals {
    Byte BuildQuery = 1;
    Long LimitNumberOfRecords = 500;
    Queue<ResultRecord> Result;
};

WindowSpec queryWindow(QueryLocals& locals) {
    return {.label = "P1$WINDOW",
            .title = "Browse an ODBC connection",
            .icon = "zel.ico",
            .at = {0, 0, 400, 240},
            .mdi = true,
            .controls = {
                {.type = CREATE::text, .label = "?Glo:Query", .at = {4, 4, 392, 60}, .use = bind(Glo::Query),
                 .vscroll = true},
                button("?QueryBuilderButton", "&Use query builder", {4, 68, 80, 14}),
                button("?ExecuteQueryButton", "&Execute query", {88, 68, 70, 14}),
                check("?Loc:BuildQuery", "&Automatic query", locals.BuildQuery, 164, 70),
                sheet("?Sheet", {4, 86, 392, 130},
                      {tab("?TableFieldTab", "Tables && Fields",
                         {list("?TableList", GTQ, kTableListFormat, {2, 2, 190, 96}),
                          list("?ColumnList", GCQ, "1016L(2)|M~Field~@s254@?#4#", {196, 2, 190, 96}, "GCQ:MARK"),
                          entry("?Tablename", "@s255", bind(GTQ.rec.TABLENAME), {2, 100, 190, 12}),
                          entry("?ColumnName", "@s255", bind(GCQ.rec.COLUMNNAME), {196, 100, 190, 12})}),
                     tab("?ResultTab", "Results", {list("?List", locals.Result, resultFormat(), {2, 2, 386, 112})}),
                     tab("?OptionsTab", "Options",
                         {text(CREATE::prompt, "?Glo:OwnerFilter:Prompt", "Filter on owner:", 4, 6),
                          entry("?Glo:OwnerFilter", "@s254", bind(Glo::OwnerFilter), {70, 4, 120, 12}),
                          check("?Glo:TablesOnly", "Show tables only", Glo::TablesOnly, 4, 22),
                          check("?Glo:SystemTables", "Show system tables", Glo::SystemTables, 4, 36),
                          button("?RegetButton", "Reget tables and columns", {4, 52, 100, 14})})}),
                text(CREATE::string, "?ExecutingQueryString", "Executing query...", 4, 224),
                text(CREATE::string, "?RecordCountPrompt:2", "Limit number of records:", 80, 224),
                entry("?Loc:LimitNumberOfRecords", "", bind(locals.LimitNumberOfRecords), {164, 222, 40, 12}),
                text(CREATE::string, "?RecordCountPrompt", "Number of records:", 212, 224),
                text(CREATE::string, "?RecordCountString", "----", 280, 224),
                button("?CloseButton", "&Close", {346, 222, 50, 14}, STD::Close),
            }};
}

class BrowseODBCconnectionWindow : private QueryLocals, public WindowProcedure {
public:
    BrowseODBCconnectionWindow() : WindowProcedure("BrowseODBCconnection", queryWindow(*this), "?Glo:Query") {}

    // The statement and the lists are ready before the window opens.
    Byte Init() override {
        InitQueryText();
        RegetTablesAndColumns();
        return WindowProcedure::Init();
    }

    Byte TakeAccepted() override {
        const Byte result = WindowProcedure::TakeAccepted();
        const Long field = window().field();
        if (field == QueryBuilderButton) {
            UseQueryBuilder();
        } else if (field == ExecuteQueryButton) {
            ExecuteQuery();
        } else if (field == RegetButton || field == OwnerFilter || field == TablesOnly || field == SystemTables) {
            if (field == RegetButton) window().update();
            RegetTablesAndColumns();
        }
        return result;
    }

    Byte TakeNewSelection() override {
        const Byte result = WindowProcedure::TakeNewSelection();
        if (window().field() == TableList) {
            ReadSelectedTable();
        } else if (window().field() == ColumnList) {
            GCQ.get(choice(ColumnList));
            BuildAutomaticQuery();
        }
        return result;
    }

protected:
    void setUp() override { enableExecutingText(false); }

private:
    const Long QueryBuilderButton = equate("?QueryBuilderButton");
    const Long ExecuteQueryButton = equate("?ExecuteQueryButton");
    const Long TableList = equate("?TableList");
    const Long ColumnList = equate("?ColumnList");
    const Long ResultTab = equate("?ResultTab");
    const Long OwnerFilter = equate("?Glo:OwnerFilter");
    const Long TablesOnly = equate("?Glo:TablesOnly");
    const Long SystemTables = equate("?Glo:SystemTables");
    const Long RegetButton = equate("?RegetButton");
    const Long ExecutingQueryString = equate("?ExecutingQueryString");
    const Long RecordCountString = equate("?RecordCountString");
    CatalogueConnection connection_;

    std::size_t choice(Long list) { return static_cast<std::size_t>(window().numberProperty(list, PROP::Selected)); }

    void enableExecutingText(bool enabled) { window().setProperty(ExecutingQueryString, PROP::Disable, !enabled); }

    void InitQueryText() {
        if (clip(Glo::Query).empty()) Glo::Query = "Enter your query here...";
    }

    void RegetTablesAndColumns() {
        if (!connection_.check()) {
            emptyQueues({&GTQ, &GCQ});
            window().display();
            return;
        }
        ODBCCatalog->GetTables(GTQ, Glo::OwnerFilter.view(), Glo::SystemTables, 0, 0, Glo::TablesOnly);
        // Columns of a table no longer listed would be left over.
        if (takeFirstTable()) ReadColumnsOfCurrentTable();
        else emptyQueues({&GCQ});
        window().display();
        if (connection_.tablesRead()) connection_.detailsRead();
    }

    void ReadColumnsOfCurrentTable() {
        // The owner keeps a driver from looking only on its search path.
        ODBCCatalog->GetColumns(GCQ, GTQ.rec.catalogueName(), clip(GTQ.rec.OWNER.view()));
    }

    void ReadSelectedTable() {
        bool read = false;
        if (GTQ.get(choice(TableList))) {
            read = connection_.usable();
            if (read) ReadColumnsOfCurrentTable();
            else emptyQueues({&GCQ});
        }
        BuildAutomaticQuery();
        if (read) connection_.detailsRead();
    }

    // SELECT of the marked columns in list order, all columns when none is marked.
    void BuildAutomaticQuery() {
        if (!BuildQuery) {
            window().display();
            return;
        }
        const SqlIdentifierRules names = currentIdentifierRules();
        std::string columns;
        for (std::size_t i = 1; i <= GCQ.records(); ++i) {
            if (!GCQ.at(i).MARK) continue;
            if (!columns.empty()) columns += ",";
            columns += names.name(clip(GCQ.at(i).COLUMNNAME.view()));
        }
        Glo::Query = "SELECT " + (columns.empty() ? std::string("*") : columns) + " FROM " +
                     names.table(clip(GTQ.rec.OWNER.view()), GTQ.rec.catalogueName());
        window().display();
    }

    // The builder gives a condition; the statement becomes a SELECT of its table with it.
    void UseQueryBuilder() {
        window().update();
        const QueryBuilderResult built = QueryBuilder();
        if (!built.condition.empty())
            Glo::Query = "SELECT * FROM " + currentIdentifierRules().table(built.owner, built.table) + " WHERE" +
                         built.condition;
        // The builder read its own tables and columns into the shared queues.
        RegetTablesAndColumns();
    }

    void ExecuteQuery() {
        window().update();
        enableExecutingText(true);
        window().display();
        SETCURSOR(CURSOR::Cross);
        window().select(ResultTab);
        // The statement blocks the program: what is set above must be painted now.
        window().redraw();
        if (ODBCCatalog) ODBCCatalog->ExecuteSQL(Glo::Query);
        // The error message waits; another window may have replaced the catalogue object meanwhile.
        if (ODBCCatalog) ODBCCatalog->FetchResult(Result, LimitNumberOfRecords, 0);
        else emptyQueues({&Result});
        window().setProperty(RecordCountString, PROP::Text, static_cast<Long>(Result.records()));
        enableExecutingText(false);
        SETCURSOR();
    }
};

}  // namespace

void BrowseODBCconnection() { BrowseODBCconnectionWindow().call(); }
