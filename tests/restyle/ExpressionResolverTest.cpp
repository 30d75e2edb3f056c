#include "RestyleFilesFixture.h"

#include "platform/eval/Evaluate.h"
#include "platform/ui/Window.h"

using namespace platform;

namespace {

class ExpressionResolverTest : public RestyleFilesFixture {
protected:
    ExpressionResolverTest() {
        catalogueRow("TEXT", PROP::Text, 0);
        catalogueRow("COLOR", PROP::Color, 5);
        catalogueRow("ICON", PROP::Icon, 7);
        catalogueRow("Mark", -5, 8);  // the engine's own: named in mixed case
        for (const char* label : {"?OK", "?Cancel", "?Ask", "?Quote", "?Loop", "?Brush", "?Count"}) {
            controls.rec.CONTROLEQUATE = window.equate(label);
            controls.rec.CONTROLEQUATESTRING = upper(label);
            controls.add();
        }
        window.setProperty(0, PROP::Text, "Styled");
        set("?OK", PROP::Text, "&OK");
        set("?OK", PROP::Color, "255");
        set("?OK", PROP::Icon, "save.ico");
        set("?Cancel", PROP::Text, "Cancel");
        set("?Ask", PROP::Text, "Why?");
        set("?Quote", PROP::Text, "Don't");
        set("?Loop", PROP::Icon, "?Loop{PROP:Icon}");
        set("?Count", PROP::Text, "12");
    }

    void catalogueRow(const char* name, Long property, Byte type) {
        catalogue.rec.PROPERTY = name;
        catalogue.rec.PROPERTYEQUATE = property;
        catalogue.rec.TYPE = type;
        catalogue.add();
    }
    void set(const char* label, Long property, const char* value) {
        window.setProperty(window.equate(label), property, value);
    }

    static ControlSpec button(const char* label) { return {.type = CREATE::button, .label = label}; }

    Window window{WindowSpec{.label = "W", .controls = {button("?OK"), button("?Cancel"), button("?Ask"),
                                                        button("?Quote"), button("?Loop"), button("?Brush"),
                                                        button("?Count")}}};
    ControlList controls;
    PropertyCatalogue catalogue;
};

TEST_F(ExpressionResolverTest, ReferencesAreReplacedByTheirValuesOnce) {
    const std::string error = "ERROR in expression - ";
    const Long cancel = window.equate("?Cancel");
    const struct {
        std::string expression;
        Long self;
        std::string resolved;
        std::string evaluated;
    } cases[] = {
        {"1 + 2", 0, "1 + 2", "3"},
        {"?OK{PROP:Text} & ' ' & ?SELF{Text}", cancel, "'&OK' & ' ' & 'Cancel'", "&OK Cancel"},
        {"?ok{prop:text}", 0, "'&OK'", "&OK"},
        {"?SELF{Text}", 0, "'Styled'", "Styled"},
        {"'Why?'", 0, error + "No begin bracket '{'", ""},
        {"?OK{PROP:Text", 0, error + "No end bracket '}'", ""},
        {"?OK{PROP:Bogus}", 0, error + "Unknown property BOGUS", ""},
        {"?OK{Mark}", 0, error + "Unknown property MARK", ""},
        {"?Nope{Text}", 0, error + "Unknown control NOPE", ""},
        {"?Ask{Text} & ?OK{Text}", 0, "'Why?' & '&OK'", "Why?&OK"},
        {"?Quote{Text}", 0, "'Don''t'", "Don't"},
        {"?Loop{Icon}", 0, "'?Loop{PROP:Icon}'", "?Loop{PROP:Icon}"},
        {"?OK{PROP:Color} + 1", 0, "255 + 1", "256"},
        {"?Brush{Color} & 'x'", 0, "'' & 'x'", "x"},
        {"?OK{PROP:Icon}", 0, "'save.ico'", "save.ico"},
        {"?Count{Text} & 0", 0, "'12' & 0", "120"},
    };
    for (const auto& c : cases) {
        const std::string resolved = base.ResolveExpression(window, controls, catalogue, c.expression, c.self);
        EXPECT_EQ(resolved, c.resolved) << c.expression;
        EXPECT_EQ(EVALUATE(resolved), c.evaluated) << c.expression;
    }
}

}  // namespace
