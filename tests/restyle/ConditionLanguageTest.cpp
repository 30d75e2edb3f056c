#include "RestyleFilesFixture.h"

#include "platform/drive/Driver.h"
#include "platform/eval/Evaluate.h"
#include "platform/ui/Window.h"
#include "restyle/RestyleRows.h"
#include "restyle/ZelRestyleClass.h"

using namespace platform;

namespace {

struct Condition {
    Long property;  // 0 for a connective
    std::string op;
    std::string value;
    Byte manualValue = 0;
    std::string control;
};

constexpr Long kText = PROP::Text;
constexpr Long kFontSize = PROP::FontSize;

class ConditionLanguageTest : public RestyleFilesFixture {
protected:
    ConditionLanguageTest() { bind(restyler); }

    void writeSet(Long setId, const std::vector<Condition>& set) {
        Long id = 0;
        for (const Condition& c : set) addCondition(setId, ++id, c.property, c.op, c.value, c.manualValue, c.control);
    }

    ZelRestyleClass restyler;
    Window window{WindowSpec{.label = "W", .controls = {{.type = CREATE::button, .label = "?Subject"}}}};
    const Long subject = window.equate("?Subject");
};

TEST_F(ConditionLanguageTest, ASetAppliesWhenItsExpressionForTheControlIsTrue) {
    const std::string longValue(200, 'x');
    const std::string decidedOn = textLiteral(std::string(128, 'X'));
    const struct {
        const char* what;
        std::string text;
        std::vector<Condition> conditions;
        std::string expression;
        bool applies;
    } cases[] = {
        {"= without regard to case", "Ok", {{kText, "=", "oK"}}, "'OK'='OK'", true},
        {"one or the other",
         "&Cancel",
         {{kText, "=", "OK"}, {0, "OR"}, {kText, "CONTAINS", "cancel"}},
         "'&CANCEL'='OK' OR INSTRING('CANCEL','&CANCEL',1,1)",
         true},
        {"A OR B AND C is A OR (B AND C)",
         "a",
         {{kText, "=", "a"}, {0, "OR"}, {kText, "=", "b"}, {0, "AND"}, {kText, "=", "c"}},
         "'A'='A' OR 'A'='B' AND 'A'='C'",
         true},
        {"no conditions", "OK", {}, "", false},
        {"a value given as an expression", "AB", {{kText, "=", "'a' & 'b'", 1}}, "'AB'='A' & 'B'", true},
        {"a value evaluated first",
         "Save file",
         {{kText, "CONTAINS", "'fi' & 'le'", 1}},
         "INSTRING('FILE','SAVE FILE',1,1)",
         true},
        {"a quote in the text", "Don't save", {{kText, "=", "don't save"}}, "'DON''T SAVE'='DON''T SAVE'", true},
        {"a quote in the value", "It's", {{kText, "CONTAINS", "'s"}}, "INSTRING('''S','IT''S',1,1)", true},
        {"a text that would end its quotes",
         "x' OR 'a'='a",
         {{kText, "=", "y"}},
         "'X'' OR ''A''=''A'='Y'",
         false},
        {"a value that would end its quotes", "x", {{kText, "=", "x' OR 'a'='a"}}, "'X'='X'' OR ''A''=''A'", false},
        {"numbers ordered as numbers", "", {{kFontSize, "<", "20"}}, "120<20", false},
        {"numbers ordered as numbers, too", "", {{kFontSize, ">=", "20"}}, "120>=20", true},
        {"= compares texts", "", {{kFontSize, "=", "120.0"}}, "'120'='120.0'", false},
        {"a text ordered as text", "abc", {{kText, "<", "b"}}, "'ABC'<'B'", true},
        {"a trailing connective", "OK", {{kText, "=", "OK"}, {0, "AND"}}, "'OK'='OK' AND ", false},
        {"the control column is not read", "OK", {{kText, "=", "OK", 0, "?Elsewhere"}}, "'OK'='OK'", true},
        {"a long value decided on 128 characters",
         std::string(128, 'x'),
         {{kText, "=", longValue}},
         decidedOn + "=" + decidedOn,
         true},
    };
    window.setProperty(subject, kFontSize, "120");
    Long setId = 0;
    for (const auto& c : cases) {
        writeSet(++setId, c.conditions);
        window.setProperty(subject, kText, c.text);
        const restyle::ConditionDecision decision = restyler.decideConditionSet("Set", setId, window, subject);
        EXPECT_EQ(decision.expression, c.expression) << c.what;
        EXPECT_EQ(decision.applies, c.applies) << c.what;
    }
    drive::settle();
    EXPECT_EQ(drive::messageText(), "") << "a broken expression shows nothing";
}

TEST_F(ConditionLanguageTest, AnUnconditionalSetAppliesWithoutReadingItsConditions) {
    writeSet(1, {{kText, "=", "never"}});
    writeSet(2, {{kText, "=", "OK"}});
    restyler.LoadConditions(2);
    const restyle::ConditionDecision decision =
        restyler.decideConditionSet(restyle::kUnconditional, 1, window, subject);
    EXPECT_TRUE(decision.applies);
    EXPECT_EQ(decision.expression, "");
    ASSERT_EQ(restyler.CONDITIONQUEUE.records(), 1u);
    EXPECT_EQ(clip(restyler.CONDITIONQUEUE.at(1).VALUE.view()), "OK");
}

TEST_F(ConditionLanguageTest, LoadingASetsConditionsCopiesItsRowsInOrder) {
    addCondition(4, 1, kText, "=", "other set");
    addCondition(5, 3, kText, "=", std::string(130, 'v'), 0, "?OK");
    addCondition(5, 1, kFontSize, "<", "12", 1, "?Cancel");
    addCondition(5, 2, 0, "OR");
    addCondition(6, 1, kText, "=", "other set");
    restyler.CONDITIONQUEUE.rec.CONDITION = "left over";
    restyler.CONDITIONQUEUE.add();

    restyler.LoadConditions(5);

    const CONDITIONQUEUERecord& first = restyler.CONDITIONQUEUE.at(1);
    ASSERT_EQ(restyler.CONDITIONQUEUE.records(), 3u);
    EXPECT_EQ(first.CONDITIONALID, 1);
    EXPECT_EQ(clip(first.CONTROL.view()), "?Cancel");
    EXPECT_EQ(first.PROPERTYEQUATE, kFontSize);
    EXPECT_EQ(clip(first.OPERATOR.view()), "<");
    EXPECT_EQ(clip(first.VALUE.view()), "12");
    EXPECT_EQ(first.MANUALVALUE, 1);
    EXPECT_EQ(clip(restyler.CONDITIONQUEUE.at(2).OPERATOR.view()), "OR");
    EXPECT_EQ(restyler.CONDITIONQUEUE.at(3).VALUE.view(), std::string(128, 'v'));
    for (std::size_t i = 1; i <= 3; ++i) {
        EXPECT_EQ(clip(restyler.CONDITIONQUEUE.at(i).CONDITION.view()), "") << i;
        EXPECT_EQ(clip(restyler.CONDITIONQUEUE.at(i).PROPERTY.view()), "") << i;
    }
}

}  // namespace
