#include "app/windows/QueryBuilder.h"

#include "app/frame/WindowProcedure.h"
#include "app/main/Globals.h"
#include "app/odbccatalog/CatalogQueues.h"
#include "app/querybuilder/Condition.h"
#include "platform/message/Message.h"
#include "restyle/ZelRestyleClass.h"

#include <utility>

using namespace platform;
using namespace querybuilder;

namespace {

// Control numbers, in the order of the window structure.
constexpr Long kQBESheet = 1, kInTextTab = 2, kQBEList = 3, kSQLQueryTab = 4, kQBEQueryList = 5, kTableList = 6,
               kConditionSheet = 7, kSQLConditionTab = 8, kColumnList = 9, kOperatorCombo = 11,
               kQBEFunctionList = 12, kQBEFunction = 13, kQBEValue = 15, kCaseInsensitive = 16,
               kNewAndConditionButton = 17, kPlaceHooksButton = 18, kAndOrTab = 26, kChangeToAnd = 27,
               kChangeToOr = 28, kDeleteConditionButton = 29, kExecuteButton = 31;
constexpr int kRowListFontSize = 10;

struct QFQRecord {
    String<255> DESCRIPTION;
    CString<255> SQLFUNCTION;
    Byte SQLTAB = 0;
    static const FieldTable& fieldTable() {
        using R = QFQRecord;
        static const FieldTable table{{field("QFQ:DESCRIPTION", &R::DESCRIPTION),
                                       field("QFQ:SQLFUNCTION", &R::SQLFUNCTION), field("QFQ:SQLTAB", &R::SQLTAB)}};
        return table;
    }
};

struct QBERecord {
    CString<255> FIELD;
    CString<255> SQLFUNCTION;
    CString<255> VALUE;
    Byte ISSTRINGVALUE = 0;
    Byte CASEINSENTIVE = 0;
    CString<3000> QUERYINTEXT;
    CString<3000> SQLQUERY;
    static const FieldTable& fieldTable() {
        using R = QBERecord;
        static const FieldTable table{{field("QBE:FIELD", &R::FIELD), field("QBE:SQLFUNCTION", &R::SQLFUNCTION),
                                       field("QBE:VALUE", &R::VALUE), field("QBE:ISSTRINGVALUE", &R::ISSTRINGVALUE),
                                       field("QBE:CASEINSENTIVE", &R::CASEINSENTIVE),
                                       field("QBE:QUERYINTEXT", &R::QUERYINTEXT),
                                       field("QBE:SQLQUERY", &R::SQLQUERY)}};
        return table;
    }
};

struct QAOQRecord {
    CString<4> OPERATOR;
    static const FieldTable& fieldTable() {
        static const FieldTable table{{field("QAOQ:OPERATOR", &QAOQRecord::OPERATOR)}};
        return table;
    }
};

struct Operator {
    const char* description;
    const char* function;
    Byte tab;  // 1 value, 2 collection, 3 range, 4 existence, 5 sound, 6 difference
};

constexpr Operator kOperators[] = {
    {"is equal to (=)", "=", 1},
    {"is smaller than (<)", "<", 1},
    {"is greater than (>)", ">", 1},
    {"is greater / equal to (>=)", ">=", 1},
    {"is smaller / equal to (<=)", "<=", 1},
    {"is not equal to (<>)", "<>", 1},
    {"is (IS)", "IS", 1},
    {"is not (IS NOT)", "IS NOT", 1},
    {"contains (LIKE)", "LIKE", 1},
    {"does not contain (NOT LIKE)", "NOT LIKE", 1},
    {"is in the collection (IN)", "IN", 2},
    {"is NOT in the collection (NOT IN)", "NOT IN", 2},
    {"is between (BETWEEN)", "BETWEEN", 3},
    {"is NOT between (NOT BETWEEN)", "NOT BETWEEN", 3},
    {"exists (EXISTS)", "EXISTS", 4},
    {"does not exists (NOT EXISTS)", "NOT EXISTS", 4},
    {"sounds like (SOUNDEX)", "SOUNDEX", 5},
    {"sounds almost like (DIFFERENCE)", "DIFFERENCE", 6},
};

// The procedure's locals; a base of the procedure, so they exist before its
// window binds them.
struct QueryBuilderLocals {
    Queue<QFQRecord> QFQ;
    Queue<QBERecord> QBE;
    Queue<QAOQRecord> QAOQ;
    CString<256> ValueText;
};

ControlSpec text(Long type, std::string label, std::string text, Rect at) {
    return {.type = type, .label = std::move(label), .text = std::move(text), .at = at};
}

ControlSpec entry(std::string label, std::string picture, Binding use, Rect at) {
    return {.type = CREATE::entry, .label = std::move(label), .text = std::move(picture), .at = at,
            .use = std::move(use)};
}

ControlSpec button(std::string label, std::string text, Rect at, Long action = STD::None, std::string icon = {}) {
    return {.type = CREATE::button, .label = std::move(label), .text = std::move(text), .at = at, .std = action,
            .icon = std::move(icon)};
}

ControlSpec tab(std::string label, std::string text, std::vector<ControlSpec> controls = {}) {
    return {.type = CREATE::tab, .label = std::move(label), .text = std::move(text), .children = std::move(controls)};
}

ControlSpec sheet(std::string label, Rect at, std::vector<ControlSpec> tabs) {
    return {.type = CREATE::sheet, .label = std::move(label), .at = at, .children = std::move(tabs)};
}

ControlSpec list(std::string label, QueueBase& rows, std::string format, Rect at, std::string font = {}) {
    return {.type = CREATE::list, .label = std::move(label), .at = at, .from = &rows, .format = std::move(format),
            .fontName = std::move(font), .fontSize = font.empty() ? 0 : kRowListFontSize, .vscroll = true};
}

WindowSpec builderWindow(QueryBuilderLocals& locals) {
    return {.label = "P1$BROWSEWINDOW",
            .title = "SQL Query wizard",
            .icon = "zel.ico",
            .at = {0, 0, 420, 270},
            .controls = {
                sheet("?QBESheet", {4, 4, 412, 90},
                      {tab("?InTextTab", "Queyr in text",
                           {list("?QBEList", locals.QBE, "1020C(2)|M@s255@#6#", {2, 2, 404, 70}, "Arial")}),
                       tab("?SQLQueryTab", "SQL Query",
                           {list("?QBEQueryList", locals.QBE, "1020C(2)|M@s255@#7#", {2, 2, 404, 70}, "Arial")})}),
                list("?TableList", GTQ, "1020L(2)|M~Table~@s255@?#3#", {4, 98, 110, 146}),
                sheet("?ConditionSheet", {118, 98, 298, 146},
                      {tab("?SQLConditionTab", "SQL condition",
                           {list("?ColumnList", GCQ, "1016L(2)|M~Field~@s254@?#4#", {2, 2, 100, 110}),
                            text(CREATE::string, "?OperatorString", "Operator / functie:", {106, 2, 0, 0}),
                            {.type = CREATE::combo, .label = "?QFQ:SQLFunction", .text = "@s254",
                             .at = {106, 12, 184, 12}, .use = bind(locals.QFQ.rec.SQLFUNCTION),
                             .from = &locals.QFQ, .format = "1016L(2)|M@s254@#2#"},
                            list("?QBEFunctionList", locals.QFQ, "1020L(2)|M@s255@", {106, 26, 184, 40}),
                            sheet("?QBEFunction", {106, 68, 184, 44},
                                  {tab("?OperatorTab", "Operator",
                                       {entry("?QBEValue", "@s255", bind(locals.ValueText), {2, 2, 178, 12}),
                                        {.type = CREATE::check, .label = "?QBE:CaseInsentive",
                                         .text = "Case insentive", .at = {2, 16, 0, 0},
                                         .use = bind(locals.QBE.rec.CASEINSENTIVE)},
                                        button("?NewAndConditionButton", "Add 'AND' / 'OR'-condition",
                                               {2, 28, 88, 12}),
                                        button("?PlaceHooksButton", "Place hooks '(' / ')'", {92, 28, 86, 12})}),
                                   tab("?Tab2", "Tab 2"), tab("?Tab3", "Tab 3"), tab("?Tab4", "Tab 4"),
                                   tab("?SoundexTab", "Soundex"), tab("?DifferenceTab", "Difference")}),
                            entry("?QFQ:Description", "@s255", bind(locals.QFQ.rec.DESCRIPTION), {106, 116, 184, 12}),
                            entry("?ColumnName", "@s254", bind(GCQ.rec.COLUMNNAME), {2, 116, 100, 12})}),
                       tab("?AndOrTab", "AND / OR Condition",
                           {button("?ChangeToAndConditionButton:2", "Wijzig in een 'AND'-conditie", {2, 2, 120, 14}),
                            button("?ChangeToOrConditionButton:2", "Wijzig in een 'OR'-conditie",
                                   {2, 20, 120, 14})})}),
                button("?DeleteConditionButton", "Delete selected condition", {4, 250, 100, 14}),
                button("?CancelButton", "Cancel", {290, 250, 60, 14}, STD::Close, "cancel.ico"),
                button("?ExecuteButton", "Execute query", {354, 250, 62, 14}, STD::None, "execute.ico"),
            }};
}

SqlIdentifierRules identifierRules() { return ODBCCatalog ? ODBCCatalog->IdentifierRules() : SqlIdentifierRules(); }

class QueryBuilderWindow : private QueryBuilderLocals, public WindowProcedure {
public:
    QueryBuilderWindow() : WindowProcedure("QueryBuilder", builderWindow(*this), kQBEList) {}

    Byte Init() override {
        const Byte result = WindowProcedure::Init();
        if (result == Level::Benign) InitQueryBuilder();
        return result;
    }

    Byte TakeFieldEvent() override {
        // The connector editor's keys confirm it.
        if (window().event() == EVENT::AlertKey && window().field() == editor_)
            POST(EVENT::Accepted, editor_);
        return WindowProcedure::TakeFieldEvent();
    }

    Byte TakeAccepted() override {
        if (window().field() == editor_) ToggleAndOr();
        const Byte result = WindowProcedure::TakeAccepted();
        switch (window().field()) {
            case kOperatorCombo: TakeTypedOperator(); break;
            case kCaseInsensitive: BuildCondition(); break;
            case kNewAndConditionButton:
            case kPlaceHooksButton: window().update(); AddCondition(); break;
            case kChangeToAnd: window().update(); ChangeConnector("AND"); break;
            case kChangeToOr: window().update(); ChangeConnector("OR"); break;
            case kDeleteConditionButton: DeleteCondition(); break;
            case kExecuteButton: window().update(); BuildCondition(); ComposeQuery(); break;
            default: break;
        }
        return result;
    }

    Byte TakeNewSelection() override {
        const Byte result = WindowProcedure::TakeNewSelection();
        switch (window().field()) {
            case kTableList: TakeTable(); break;
            case kColumnList: TakeColumn(); break;
            case kQBEFunctionList: TakeOperator(); break;
            case kQBEValue:
                ValueText = window().property(kQBEValue, PROP::ScreenText);
                BuildCondition();
                break;
            case kQBEList:
            case kQBEQueryList: ShowSelectedCondition(); break;
            default: break;
        }
        return result;
    }

    QueryBuilderResult result() const { return {result_, table_}; }

protected:
    void setUp() override { window().setProperty(kCaseInsensitive, PROP::Disable, 1); }

private:
    Long selected(Long list) { return window().numberProperty(list, PROP::Selected); }
    bool valueHasFocus() { return window().focus() == kQBEValue; }
    bool textTabShown() { return selected(kQBESheet) == 1; }
    Long visibleRowList() { return textTabShown() ? kQBEList : kQBEQueryList; }
    bool currentIsConnector() { return rowKind(QBE.rec.SQLQUERY.view()) == RowKind::Connector; }

    void InitQueryBuilder() {
        savedMark_ = restyle().MARKSELECTEDCONTROLACTIVE;
        window().setProperty(kQBEFunction, PROP::Wizard, 1);
        window().setProperty(kConditionSheet, PROP::Wizard, 1);
        QBE.clear();
        QBE.add();
        current_ = 1;
        if (!CreateConnectorEditor()) {
            MESSAGE("Kan geavanceerd zoeken niet uitvoeren!|Er is fout opgetreden bij het creeren van een hulpveld...");
            POST(EVENT::CloseWindow);
            return;
        }
        ReadTables();
        window().setProperty(kColumnList, PROP::IconList, "ZelCheckoff.ico|ZelCheckon.ico");
        for (const Operator& op : kOperators) {
            QFQ.rec.DESCRIPTION = op.description;
            QFQ.rec.SQLFUNCTION = op.function;
            QFQ.rec.SQLTAB = op.tab;
            QFQ.add();
        }
        GCQ.clear();
        QFQ.clear();
        window().display();
    }

    bool CreateConnectorEditor() {
        for (const char* choice : {"AND", "OR"}) {
            QAOQ.rec.OPERATOR = choice;
            QAOQ.add();
        }
        editor_ = window().create({.type = CREATE::spin, .from = &QAOQ});
        if (editor_ == 0) return false;
        window().alert(editor_, KEY::MouseLeft2);
        window().alert(editor_, KEY::Enter);
        for (const Long prop : {PROP::HScroll, PROP::VScroll, PROP::ReadOnly}) window().setProperty(editor_, prop, 1);
        return true;
    }

    void ReadTables() {
        if (!ODBCCatalog) return;
        // Every table and view of every owner.
        ODBCCatalog->GetTables(GTQ, "", Glo::SystemTables, 1, 1, 0);
        if (GTQ.get(1)) ReadColumnsOfCurrentTable();
    }

    void ReadColumnsOfCurrentTable() {
        table_ = GTQ.rec.catalogueName();
        if (ODBCCatalog) ODBCCatalog->GetColumns(GCQ, table_, clip(GTQ.rec.OWNER.view()));
    }

    void TakeTable() {
        if (GTQ.get(static_cast<std::size_t>(selected(kTableList)))) ReadColumnsOfCurrentTable();
    }

    void TakeColumn() {
        if (GCQ.get(static_cast<std::size_t>(selected(kColumnList))) && !currentIsConnector()) {
            QBE.rec.FIELD = GCQ.rec.COLUMNNAME.view();
            QBE.rec.ISSTRINGVALUE = isNumericColumnType(GCQ.rec.COLUMNTYPE.view()) ? 0 : 1;
        }
        BuildCondition();
    }

    void TakeOperator() {
        if (QFQ.get(static_cast<std::size_t>(selected(kQBEFunctionList)))) {
            window().setProperty(kQBEFunction, PROP::Selected, QFQ.rec.SQLTAB);
            if (!currentIsConnector()) QBE.rec.SQLFUNCTION = QFQ.rec.SQLFUNCTION.view();
        }
        window().display();
        BuildCondition();
    }

    void TakeTypedOperator() {
        if (currentIsConnector()) return;
        QBE.rec.SQLFUNCTION = QFQ.rec.SQLFUNCTION.view();
        const std::string typed = upper(clip(QBE.rec.SQLFUNCTION.view()));
        for (std::size_t row = 1; row <= QFQ.records(); ++row) {
            if (upper(clip(QFQ.at(row).SQLFUNCTION.view())) != typed) continue;
            QFQ.get(row);
            window().setProperty(kQBEFunctionList, PROP::Selected, static_cast<Long>(row));
            BuildCondition();
            return;
        }
    }

    // Points the user at the list that still lacks a choice; false when one does.
    bool ColumnAndOperatorChosen() {
        if (selected(kColumnList) < 1) {
            if (!valueHasFocus()) window().select(kColumnList);
            GCQ.rec.COLUMNNAME = "";
            QBE.rec.FIELD = "";
            return false;
        }
        if (selected(kQBEFunctionList) < 1) {
            if (!valueHasFocus()) window().select(kQBEFunctionList);
            QFQ.rec.DESCRIPTION = "";
            QBE.rec.SQLFUNCTION = "";
            return false;
        }
        return true;
    }

    void BuildCondition() {
        // A connector keeps its AND / OR.
        if (currentIsConnector()) return;
        ColumnAndOperatorChosen();
        QBE.rec.VALUE = ValueText.view();
        window().setProperty(kCaseInsensitive, PROP::Disable, QBE.rec.ISSTRINGVALUE ? 0 : 1);
        const RowTexts texts = buildCondition({.column = clip(GCQ.rec.COLUMNNAME.view()),
                                               .description = clip(QFQ.rec.DESCRIPTION.view()),
                                               .function = clip(QBE.rec.SQLFUNCTION.view()),
                                               .value = QBE.rec.VALUE.str(),
                                               .isString = QBE.rec.ISSTRINGVALUE != 0,
                                               .caseInsensitive = QBE.rec.CASEINSENTIVE != 0},
                                              identifierRules());
        SetTexts(texts.text, texts.sql);
        PutCurrentRow();
        window().display();
    }

    void SetTexts(std::string_view text, std::string_view sql) {
        QBE.rec.QUERYINTEXT = text;
        QBE.rec.SQLQUERY = sql;
    }

    // The buffer holds the current row; other rows are read without it.
    void PutCurrentRow() {
        const QBERecord row = QBE.rec;
        QBE.get(current_);
        QBE.rec = row;
        QBE.put();
    }

    void AddCondition() {
        if (!ColumnAndOperatorChosen()) return;
        SetTexts("AND", "AND");
        QBE.add();
        const std::size_t connector = QBE.records();
        QBE.clear();
        SetTexts(kPlaceholder, kPlaceholder);
        QBE.add();
        window().select(kColumnList, -1);
        window().select(kQBEFunctionList, -1);
        ValueText = "";
        MakeCurrent(connector);
        window().select(kAndOrTab);
        window().display();
    }

    // The row becomes current and the selected row of both row lists.
    void MakeCurrent(std::size_t row) {
        current_ = row;
        QBE.get(current_);
        const Long position = static_cast<Long>(row);
        window().setProperty(textTabShown() ? kQBEQueryList : kQBEList, PROP::Selected, position);
        window().select(visibleRowList(), position);
    }

    void ShowSelectedCondition() {
        const Long list = visibleRowList();
        if (!QBE.get(static_cast<std::size_t>(selected(list)))) return;
        current_ = static_cast<std::size_t>(selected(list));
        if (currentIsConnector()) {
            EditConnectorInPlace(list);
        } else {
            EndConnectorEdit();
            ShowConditionParts();
        }
        window().display();
    }

    void EditConnectorInPlace(Long list) {
        const bool inText = list == kQBEList;
        restyle().MARKSELECTEDCONTROLACTIVE = 0;
        window().use(editor_, inText ? bind(QBE.rec.QUERYINTEXT) : bind(QBE.rec.SQLQUERY));
        window().setProperty(inText ? kSQLQueryTab : kInTextTab, PROP::Hide, 1);
        for (const Long prop : {PROP::FontName, PROP::FontSize, PROP::Format})
            window().setProperty(editor_, prop, window().property(list, prop));
        window().setProperty(list, PROP::Edit, editor_);
        window().select(kAndOrTab);
        window().select(editor_);
    }

    // Back from editing a connector in place: both views shown, no editor.
    void EndConnectorEdit() {
        restyle().MARKSELECTEDCONTROLACTIVE = savedMark_;
        // The hidden editor would otherwise write its AND / OR into the next row read.
        window().use(editor_, {});
        for (const Long list : {kQBEList, kQBEQueryList}) {
            window().setProperty(list, PROP::Edit, 0);
            window().setProperty(list, PROP::FontSize, kRowListFontSize);
        }
        window().setProperty(kInTextTab, PROP::Hide, 0);
        window().setProperty(kSQLQueryTab, PROP::Hide, 0);
        window().select(kSQLConditionTab);
    }

    // The lists and the value show the current row's column, operator and value.
    void ShowConditionParts() {
        SelectRowWith(GCQ, kColumnList, &GCQRecord::COLUMNNAME, QBE.rec.FIELD.view());
        SelectRowWith(QFQ, kQBEFunctionList, &QFQRecord::SQLFUNCTION, QBE.rec.SQLFUNCTION.view());
        ValueText = QBE.rec.VALUE.view();
    }

    template <class R, class Field>
    void SelectRowWith(Queue<R>& rows, Long list, Field R::*field, std::string_view wanted) {
        for (std::size_t row = 1; row <= rows.records(); ++row) {
            if (clip((rows.at(row).*field).view()) != clip(wanted)) continue;
            rows.get(row);
            window().setProperty(list, PROP::Selected, static_cast<Long>(row));
            return;
        }
        rows.clear();
        window().setProperty(list, PROP::Selected, -1);
    }

    void ToggleAndOr() {
        window().update(editor_);
        const bool inText = window().numberProperty(kSQLQueryTab, PROP::Hide) != 0;
        const std::string chosen = upper(clip((inText ? QBE.rec.QUERYINTEXT : QBE.rec.SQLQUERY).view()));
        ChangeConnector(chosen == "AND" ? "AND" : "OR");
    }

    // The row behind the connector is the one worked on next, with its own
    // parts shown: choices left from another row would rewrite it.
    void ChangeConnector(const char* connector) {
        SetTexts(connector, connector);
        EndConnectorEdit();
        PutCurrentRow();
        MakeCurrent(current_ + 1);
        ShowConditionParts();
        window().display();
    }

    void DeleteCondition() {
        if (currentIsConnector()) return;
        std::vector<RowKind> kinds;
        for (std::size_t row = 1; row <= QBE.records(); ++row) kinds.push_back(rowKind(QBE.at(row).SQLQUERY.view()));
        const std::vector<std::size_t> doomed = rowsToDelete(kinds, current_);
        for (const std::size_t row : doomed) {
            QBE.get(row);
            QBE.remove();
        }
        // The only condition is emptied: the window always has one.
        if (doomed.empty()) {
            QBE.clear();
            PutCurrentRow();
        }
        // The condition before the removed rows; conditions sit at odd positions.
        MakeCurrent(doomed.empty() ? current_ : std::max<std::size_t>(1, doomed.back() - 1));
        ShowConditionParts();
        window().display();
    }

    void ComposeQuery() {
        std::vector<ComposedRow> rows;
        for (std::size_t row = 1; row <= QBE.records(); ++row) {
            const QBERecord& r = QBE.at(row);
            const bool condition = rowKind(r.SQLQUERY.view()) == RowKind::Condition;
            rows.push_back({r.SQLQUERY.str(), !condition || (!clip(r.FIELD.view()).empty() &&
                                                             !clip(r.SQLFUNCTION.view()).empty())});
        }
        result_ = composeQuery(rows);
        if (!result_.empty()) POST(EVENT::CloseWindow);
    }

    Long editor_ = 0;
    Byte savedMark_ = 0;
    std::size_t current_ = 1;
    std::string result_;
    std::string table_;
};

}  // namespace

QueryBuilderResult QueryBuilder() {
    QueryBuilderWindow builder;
    builder.call();
    return builder.result();
}
