#include "app/windows/QueryBuilder.h"

#include "app/frame/WindowProcedure.h"
#include "app/main/Globals.h"
#include "app/odbccatalog/CatalogQueues.h"
#include "app/querybuilder/BuilderStructure.h"
#include "app/querybuilder/Condition.h"
#include "platform/message/Message.h"
#include "restyle/ZelRestyleClass.h"

using namespace platform;
using namespace querybuilder;

namespace {

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
        addOperators(QFQ);
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
                                              currentIdentifierRules(), currentStringLiterals());
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
