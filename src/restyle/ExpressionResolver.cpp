#include "restyle/ExpressionResolver.h"

#include "platform/eval/Evaluate.h"
#include "platform/ui/Window.h"

#include <optional>

using platform::clip;
using platform::Long;
using platform::upper;

namespace restyle {
namespace {

const std::string kError = "ERROR in expression - ";

const CatalogueRecord* propertyNamed(const PropertyCatalogue& catalogue, std::string_view name) {
    for (std::size_t i = 1; i <= catalogue.records(); ++i)
        if (clip(catalogue.at(i).PROPERTY.view()) == clip(name)) return &catalogue.at(i);
    return nullptr;
}

std::optional<Long> controlLabelled(const ControlList& controls, std::string_view label) {
    for (std::size_t i = 1; i <= controls.records(); ++i)
        if (clip(controls.at(i).CONTROLEQUATESTRING.view()) == clip(label)) return controls.at(i).CONTROLEQUATE;
    return std::nullopt;
}

// The property's name as the catalogue has it: upper case, without "PROP:".
std::string catalogueName(std::string_view written) {
    std::string name = upper(written);
    if (name.starts_with("PROP:")) name.erase(0, 5);
    return name;
}

}  // namespace

std::string resolveExpression(const platform::Window& window, const ControlList& controls,
                              const PropertyCatalogue& catalogue, std::string_view expression, Long selfControl) {
    std::string text(expression);
    for (std::size_t from = 0;;) {
        const std::size_t mark = text.find('?', from);
        if (mark == std::string::npos) return text;
        const std::size_t open = text.find('{', mark + 1);
        if (open == std::string::npos) return kError + "No begin bracket '{'";
        const std::size_t close = text.find('}', open + 1);
        if (close == std::string::npos) return kError + "No end bracket '}'";
        const std::string label = upper(text.substr(mark + 1, open - mark - 1));
        const std::string name = catalogueName(text.substr(open + 1, close - open - 1));
        const CatalogueRecord* property = propertyNamed(catalogue, name);
        if (!property) return kError + "Unknown property " + name;
        const std::optional<Long> control =
            clip(label) == "SELF" ? std::optional<Long>(selfControl) : controlLabelled(controls, "?" + label);
        if (!control) return kError + "Unknown control " + label;
        const std::string value = window.property(*control, property->PROPERTYEQUATE);
        const std::string spliced =
            property->TYPE == 0 || !platform::isPlainNumber(value) ? platform::textLiteral(value) : value;
        text.replace(mark, close - mark + 1, spliced);
        from = mark + spliced.size();
    }
}

}  // namespace restyle
