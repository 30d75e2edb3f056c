// The vocabulary of the restyle system as the style manager's set-up builds
// it: the property catalogue (the engine's own properties, named through the
// translator, and the platform's restylable properties) and the control
// types, each kept in its queue's order.
#pragma once

#include "restyle/PropertyCatalogue.h"

namespace platform {
class TranslatorClass;
}

void fillPropertyCatalogue(PropertyCatalogue& catalogue, platform::TranslatorClass& translator);
void fillControlTypes(ControlTypeList& controlTypes);
