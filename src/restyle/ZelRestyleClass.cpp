#include "restyle/ZelRestyleClass.h"

#include "platform/files/KeyedFile.h"
#include "platform/ui/Window.h"
#include "restyle/RestyleRows.h"

using platform::Byte;
using platform::Long;

Byte ZelRestyleClass::Init(const std::string&, ZelStylemanagerClass&) { return 0; }

void ZelRestyleClass::AddControl(const std::string&, const std::string&, Long) {}

void ZelRestyleClass::AddMenuSetting(Long, Byte) {}

void ZelRestyleClass::Open(platform::Window&, Byte) {}

Byte ZelRestyleClass::TakeEvent() { return 0; }

void ZelRestyleClass::LoadConditions(Long setId) {
    CONDITIONQUEUE.free();
    CONDITIONQUEUE.clear();
    CONDITIONQUEUERecord& condition = CONDITIONQUEUE.rec;
    walkConditions(setId);
    while (CONDITIONFILE->next() && CONDITIONFILECONDITIONALSETIDFIELD.number() == setId) {
        condition.CONDITIONALID = static_cast<Long>(CONDITIONFILECONDITIONALIDFIELD.number());
        condition.CONTROL = CONDITIONFILECONTROLFIELD.text();
        condition.PROPERTYEQUATE = static_cast<Long>(CONDITIONFILEPROPERTYEQUATEFIELD.number());
        condition.OPERATOR = CONDITIONFILEOPERATORFIELD.text();
        condition.VALUE = CONDITIONFILEVALUEFIELD.text();
        condition.MANUALVALUE = static_cast<Byte>(CONDITIONFILEMANUALVALUEFIELD.number());
        CONDITIONQUEUE.add({{"CONDITIONALID"}});
    }
}

restyle::ConditionDecision ZelRestyleClass::decideConditionSet(std::string_view setName, Long setId,
                                                               const platform::Window& window, Long control) {
    if (platform::clip(setName) == restyle::kUnconditional) return {{}, true};
    LoadConditions(setId);
    return restyle::decideConditions(CONDITIONQUEUE, [&](const CONDITIONQUEUERecord& condition) {
        return window.property(control, condition.PROPERTYEQUATE);
    });
}
