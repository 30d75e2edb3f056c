// Which standard properties each window control type has, and whether its
// view shows them on screen or only stores them. The views consult it before
// showing a property (a type without the property shows nothing of it), the
// catalogue walk test walks it, docs/platform.md lists its stored-only pairs.
//
// Rows are by name, as the restyle catalogue lists them: one number may mean
// different things on different types (7C06h is Center on a string and Below
// on a sheet), so such rows name disjoint types.
#pragma once

#include "platform/text/Text.h"

#include <vector>

namespace platform {

struct ShownProperty {
    const char* name;
    Long number;
    std::vector<Long> shown;   // types whose view shows it
    std::vector<Long> stored;  // types that have it but only store and read it back
    bool readOnly = false;     // answered by the model, never written
};

const std::vector<ShownProperty>& shownProperties();

// A property of the restyle catalogue (a number of the table).
bool isCatalogued(Long number);
// The type's view shows the property.
bool showsProperty(Long type, Long number);

}  // namespace platform
