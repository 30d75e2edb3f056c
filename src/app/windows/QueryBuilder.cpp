#include "app/windows/QueryBuilder.h"

#include "app/frame/WindowProcedure.h"
#include "app/main/CatalogueConnection.h"
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
    QueryBuilderWindow() : WindowProcedure("QueryBuilder", builderWindow(*this), "?QBEList") {}

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
        const Long field = window().field();
        if (field == OperatorCombo) {
            TakeTypedOperator();
        } else if (field == CaseInsensitive) {
            BuildCondition();
        } else if (field == NewAndConditionButton || field == PlaceHooksButton) {
            window().update();
            AddCondition();
        } else if (field == ChangeToAnd || field == ChangeToOr) {
            window().update();
            ChangeConnector(field == ChangeToAnd ? "AND" : "OR");
        } else if (field == DeleteConditionButton) {
            DeleteCondition();
        } else if (field == ExecuteButton) {
            window().update();
            BuildCondition();
            ComposeQuery();
        }
        return result;
    }

    Byte TakeNewSelection() override {
        const Byte result = WindowProcedure::TakeNewSelection();
        const Long field = window().field();
        if (field == TableList) {
            TakeTable();
        } else if (field == ColumnList) {
            TakeColumn();
        } else if (field == QBEFunctionList) {
            TakeOperator();
        } else if (field == QBEValue) {
            ValueText = window().property(QBEValue, PROP::ScreenText);
            BuildCondition();
        } else if (field == QBEList || field == QBEQueryList) {
            ShowSelectedCondition();
        }
        return result;
    }

    QueryBuilderResult result() const { return {result_, table_, owner_}; }

protected:
    void setUp() override { window().setProperty(CaseInsensitive, PROP::Disable, 1); }

private:
    Long selected(Long list) { return window().numberProperty(list, PROP::Selected); }
    bool valueHasFocus() { return window().focus() == QBEValue; }
    bool textTabShown() { return selected(QBESheet) == 1; }
    Long visibleRowList() { return textTabShown() ? QBEList : QBEQueryList; }
    bool currentIsConnector() { return rowKind(QBE.rec.SQLQUERY.view()) == RowKind::Connector; }

    void InitQueryBuilder() {
        savedMark_ = restyle().MARKSELECTEDCONTROLACTIVE;
        window().setProperty(QBEFunction, PROP::Wizard, 1);
        window().setProperty(ConditionSheet, PROP::Wizard, 1);
        QBE.clear();
        QBE.add();
        current_ = 1;
        if (!CreateConnectorEditor()) {
            MESSAGE("Kan geavanceerd zoeken niet uitvoeren!|Er is fout opgetreden bij het creeren van een hulpveld...");
            POST(EVENT::CloseWindow);
            return;
        }
        ReadTables();
        window().setProperty(ColumnList, PROP::IconList, "ZelCheckoff.ico|ZelCheckon.ico");
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
        if (!connection_.check()) return;
        // Every table and view of every owner.
        ODBCCatalog->GetTables(GTQ, "", Glo::SystemTables, 1, 1, 0);
        const bool columnsRead = GTQ.get(1) && ReadColumnsOfCurrentTable();
        if (connection_.tablesRead() && columnsRead) connection_.detailsRead();
    }

    // True when the columns were read.
    bool ReadColumnsOfCurrentTable() {
        table_ = GTQ.rec.catalogueName();
        owner_ = clip(GTQ.rec.OWNER.view());
        if (!connection_.usable()) return false;
        ODBCCatalog->GetColumns(GCQ, table_, owner_);
        return true;
    }

    void TakeTable() {
        if (GTQ.get(static_cast<std::size_t>(selected(TableList))) && ReadColumnsOfCurrentTable())
            connection_.detailsRead();
    }

    void TakeColumn() {
        if (GCQ.get(static_cast<std::size_t>(selected(ColumnList))) && !currentIsConnector()) {
            QBE.rec.FIELD = GCQ.rec.COLUMNNAME.view();
            QBE.rec.ISSTRINGVALUE = isNumericColumnType(GCQ.rec.COLUMNTYPE.view()) ? 0 : 1;
        }
        BuildCondition();
    }

    void TakeOperator() {
        if (QFQ.get(static_cast<std::size_t>(selected(QBEFunctionList)))) {
            window().setProperty(QBEFunction, PROP::Selected, QFQ.rec.SQLTAB);
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
            window().setProperty(QBEFunctionList, PROP::Selected, static_cast<Long>(row));
            BuildCondition();
            return;
        }
    }

    // Points the user at the list that still lacks a choice; false when one does.
    bool ColumnAndOperatorChosen() {
        if (selected(ColumnList) < 1) {
            if (!valueHasFocus()) window().select(ColumnList);
            GCQ.rec.COLUMNNAME = "";
            QBE.rec.FIELD = "";
            return false;
        }
        if (selected(QBEFunctionList) < 1) {
            if (!valueHasFocus()) window().select(QBEFunctionList);
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
        window().setProperty(CaseInsensitive, PROP::Disable, QBE.rec.ISSTRINGVALUE ? 0 : 1);
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
        window().select(ColumnList, -1);
        window().select(QBEFunctionList, -1);
        ValueText = "";
        MakeCurrent(connector);
        window().select(AndOrTab);
        window().display();
    }

    // The row becomes current and the selected row of both row lists.
    void MakeCurrent(std::size_t row) {
        current_ = row;
        QBE.get(current_);
        const Long position = static_cast<Long>(row);
        window().setProperty(textTabShown() ? QBEQueryList : QBEList, PROP::Selected, position);
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
        const bool inText = list == QBEList;
        restyle().MARKSELECTEDCONTROLACTIVE = 0;
        window().use(editor_, inText ? bind(QBE.rec.QUERYINTEXT) : bind(QBE.rec.SQLQUERY));
        window().setProperty(inText ? SQLQueryTab : InTextTab, PROP::Hide, 1);
        for (const Long prop : {PROP::FontName, PROP::FontSize, PROP::Format})
            window().setProperty(editor_, prop, window().property(list, prop));
        window().setProperty(list, PROP::Edit, editor_);
        window().select(AndOrTab);
        window().select(editor_);
    }

    // Back from editing a connector in place: both views shown, no editor.
    void EndConnectorEdit() {
        restyle().MARKSELECTEDCONTROLACTIVE = savedMark_;
        // The hidden editor would otherwise write its AND / OR into the next row read.
        window().use(editor_, {});
        for (const Long list : {QBEList, QBEQueryList}) {
            window().setProperty(list, PROP::Edit, 0);
            window().setProperty(list, PROP::FontSize, kRowListFontSize);
        }
        window().setProperty(InTextTab, PROP::Hide, 0);
        window().setProperty(SQLQueryTab, PROP::Hide, 0);
        window().select(SQLConditionTab);
    }

    // The lists and the value show the current row's column, operator and value.
    void ShowConditionParts() {
        SelectRowWith(GCQ, ColumnList, &GCQRecord::COLUMNNAME, QBE.rec.FIELD.view());
        SelectRowWith(QFQ, QBEFunctionList, &QFQRecord::SQLFUNCTION, QBE.rec.SQLFUNCTION.view());
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
        const bool inText = window().numberProperty(SQLQueryTab, PROP::Hide) != 0;
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

    // An unfinished row keeps the window open, and the user is told what it lacks.
    void ComposeQuery() {
        std::vector<ComposedRow> rows;
        for (std::size_t row = 1; row <= QBE.records(); ++row) {
            const QBERecord& r = QBE.at(row);
            rows.push_back({r.SQLQUERY.str(), !clip(r.FIELD.view()).empty(), !clip(r.SQLFUNCTION.view()).empty()});
        }
        result_ = composeQuery(rows);
        if (!result_.empty()) POST(EVENT::CloseWindow);
        else MESSAGE(missingInQuery(rows), "SQL Query wizard", ICON_EXCLAMATION);
    }

    const Long QBESheet = equate("?QBESheet");
    const Long InTextTab = equate("?InTextTab");
    const Long QBEList = equate("?QBEList");
    const Long SQLQueryTab = equate("?SQLQueryTab");
    const Long QBEQueryList = equate("?QBEQueryList");
    const Long TableList = equate("?TableList");
    const Long ConditionSheet = equate("?ConditionSheet");
    const Long SQLConditionTab = equate("?SQLConditionTab");
    const Long ColumnList = equate("?ColumnList");
    const Long OperatorCombo = equate("?QFQ:SQLFunction");
    const Long QBEFunctionList = equate("?QBEFunctionList");
    const Long QBEFunction = equate("?QBEFunction");
    const Long QBEValue = equate("?QBEValue");
    const Long CaseInsensitive = equate("?QBE:CaseInsentive");
    const Long NewAndConditionButton = equate("?NewAndConditionButton");
    const Long PlaceHooksButton = equate("?PlaceHooksButton");
    const Long AndOrTab = equate("?AndOrTab");
    const Long ChangeToAnd = equate("?ChangeToAndConditionButton:2");
    const Long ChangeToOr = equate("?ChangeToOrConditionButton:2");
    const Long DeleteConditionButton = equate("?DeleteConditionButton");
    const Long ExecuteButton = equate("?ExecuteButton");

    CatalogueConnection connection_;
    Long editor_ = 0;
    Byte savedMark_ = 0;
    std::size_t current_ = 1;
    std::string result_;
    std::string table_;
    std::string owner_;
};

}  // namespace

QueryBuilderResult QueryBuilder() {
    QueryBuilderWindow builder;
    builder.call();
    return builder.result();
}
