#include "assistant/AgentStap.h"

#include "assistant/AssistantClass.h"

using namespace platform;

namespace {

constexpr Long kNoColor = -1, kRed = 0x0000FF;
constexpr Long kNewStepSpeed = 1000;

template <class From, class To>
void copyFileFields(const From& from, To& to) {
#define TABLOOM_COPY_FIELD(type, name, ...) to.name = from.name;
    AGNTFILE_FIELDS(TABLOOM_COPY_FIELD)
#undef TABLOOM_COPY_FIELD
}

}  // namespace

void copyStep(const AGENTSTAPRecord& from, AGNTFILERecord& to) { copyFileFields(from, to); }
void copyStep(const AGNTFILERecord& from, AGENTSTAPRecord& to) { copyFileFields(from, to); }

AGENTSTAPRecord workingStep(const AGNTFILERecord& stored) {
    AGENTSTAPRecord step;
    copyStep(stored, step);
    const bool recorded = !clip(stored.EVENTPROCEDURE.view()).empty();
    step.STEPFOREGROUNDCOLOR = kNoColor;
    step.STEPBACKGROUNDCOLOR = recorded ? kRed : kNoColor;
    step.STEPSELECTEDFOREGROUNDCOLOR = recorded ? kRed : kNoColor;
    step.STEPSELECTEDBACKGROUNDCOLOR = kNoColor;
    return step;
}

bool sameStep(const AGENTSTAPRecord& a, const AGENTSTAPRecord& b) {
    const auto same = [](const auto& x, const auto& y) {
        if constexpr (requires { x.view(); })
            return x.view() == y.view();
        else
            return x == y;
    };
#define TABLOOM_SAME_FIELD(type, name, ...) &&same(a.name, b.name)
    return true AGENTSTAP_FIELDS(TABLOOM_SAME_FIELD);
#undef TABLOOM_SAME_FIELD
}

AGENTSTAPRecord newStep(const AssistantFields& a, const std::string& procedure, const std::string& subject,
                        Long number) {
    AGNTFILERecord step;
    step.PROCEDURENAME = procedure;
    step.ONDERWERP = subject;
    step.STEP = number;
    step.POSITIONX = static_cast<Short>(a.MOUSEPOS.X - a.WINDOWPOSX);
    step.POSITIONY = static_cast<Short>(a.MOUSEPOS.Y - a.WINDOWPOSY);
    step.SPEED = kNewStepSpeed;
    step.ANIBEFOREORAFTER = "B";
    step.CURSORPOSTOVAGENT = "LB";
    return workingStep(step);
}
