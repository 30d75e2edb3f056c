// Resolves a stored expression for EVALUATE: each reference "?Label{Name}" to
// a property of a registered control (or of "?SELF") is replaced by the
// property's present value.
//
// Label and Name are taken in upper case; Name loses a leading "PROP:" and is
// sought among the catalogue's names as they are, so the engine's own
// properties (named in mixed case) are never found. A value goes in as a text
// literal when the catalogue types the property as text (0) or the value is
// not a number; a number goes in as it is. Scanning goes on after the value
// put in: what a value holds ("?", quotes, a reference) stays text. The first
// broken reference gives "ERROR in expression - " and its reason instead of
// the expression; EVALUATE refuses that text.
#pragma once

#include "restyle/ControlList.h"
#include "restyle/PropertyCatalogue.h"

#include <string>
#include <string_view>

namespace platform {
class Window;
}

namespace restyle {

std::string resolveExpression(const platform::Window& window, const ControlList& controls,
                              const PropertyCatalogue& catalogue, std::string_view expression,
                              platform::Long selfControl);

}  // namespace restyle
