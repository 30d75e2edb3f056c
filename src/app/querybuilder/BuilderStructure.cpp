#include "app/querybuilder/BuilderStructure.h"

#include "app/odbccatalog/CatalogQueues.h"
#include "platform/ui/ControlLines.h"

#include <utility>

using namespace platform;

namespace querybuilder {
namespace {

struct Operator {
    const char* description;
    const char* function;
    Byte tab;
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

// The condition rows are shown in Arial.
ControlSpec rowList(std::string label, QueueBase& rows, std::string format, Rect at) {
    ControlSpec spec = list(std::move(label), rows, std::move(format), at);
    spec.fontName = "Arial";
    spec.fontSize = kRowListFontSize;
    return spec;
}

}  // namespace

WindowSpec builderWindow(QueryBuilderLocals& locals) {
    return {.label = "P1$BROWSEWINDOW",
            .title = "SQL Query wizard",
            .icon = "zel.ico",
            .at = {0, 0, 420, 270},
            .noPosition = true,
            .controls = {
                sheet("?QBESheet", {4, 4, 412, 90},
                      {tab("?InTextTab", "Queyr in text",
                           {rowList("?QBEList", locals.QBE, "1020C(2)|M@s255@#6#", {2, 2, 404, 70})}),
                       tab("?SQLQueryTab", "SQL Query",
                           {rowList("?QBEQueryList", locals.QBE, "1020C(2)|M@s255@#7#", {2, 2, 404, 70})})}),
                list("?TableList", GTQ, kTableListFormat, {4, 98, 110, 146}),
                sheet("?ConditionSheet", {118, 98, 298, 146},
                      {tab("?SQLConditionTab", "SQL condition",
                           {list("?ColumnList", GCQ, "1016L(2)|M~Field~@s254@?#4#", {2, 2, 100, 110}),
                            text(CREATE::string, "?OperatorString", "Operator / functie:", 106, 2),
                            {.type = CREATE::combo, .label = "?QFQ:SQLFunction", .text = "@s254",
                             .at = {106, 12, 184, 12}, .use = bind(locals.QFQ.rec.SQLFUNCTION),
                             .from = &locals.QFQ, .format = "1016L(2)|M@s254@#2#"},
                            list("?QBEFunctionList", locals.QFQ, "1020L(2)|M@s255@", {106, 26, 184, 40}),
                            sheet("?QBEFunction", {106, 68, 184, 44},
                                  {tab("?OperatorTab", "Operator",
                                       {entry("?QBEValue", "@s255", bind(locals.ValueText), {2, 2, 178, 12}),
                                        check("?QBE:CaseInsentive", "Case insentive", locals.QBE.rec.CASEINSENTIVE, 2,
                                              16),
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

void addOperators(Queue<QFQRecord>& operators) {
    for (const Operator& op : kOperators) {
        operators.rec.DESCRIPTION = op.description;
        operators.rec.SQLFUNCTION = op.function;
        operators.rec.SQLTAB = op.tab;
        operators.add();
    }
}

}  // namespace querybuilder
