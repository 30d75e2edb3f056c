// The private events that ask the agent window thread for a character
// action, and the codes the request ring keeps for them.
#pragma once

#include "platform/text/Text.h"

namespace AGENT {
constexpr platform::Long Load = 0x500, Unload = 0x501, Show = 0x502, Hide = 0x503, Speak = 0x504, Think = 0x505,
                         MoveTo = 0x506, GestureAt = 0x507, Height = 0x508, Width = 0x509, Play = 0x510,
                         Activate = 0x511, Wait = 0x512, Interrupt = 0x513, Stop = 0x514, StopAll = 0x515,
                         ShowDefaultCharacterProperties = 0x516, Left = 0x518, Top = 0x519, Language = 0x520;

constexpr platform::Long RingSlots = 100;
constexpr const char* DefaultCharacter = "Merlin";

constexpr bool isRequest(platform::Long event) { return event >= Load && event <= Language; }
// The requests that carry data in a ring slot.
constexpr bool isRing(platform::Long event) {
    return event == Speak || event == Think || event == MoveTo || event == GestureAt || event == Play;
}

// A ring slot keeps its event's hexadecimal digits as a decimal number:
// 504 for 504h.
constexpr platform::Long slotCode(platform::Long event) {
    return (event >> 8) * 100 + ((event >> 4) & 0xF) * 10 + (event & 0xF);
}
constexpr platform::Long slotEvent(platform::Long code) {
    return (code / 100) << 8 | ((code / 10) % 10) << 4 | code % 10;
}
static_assert(slotCode(Speak) == 504 && slotEvent(510) == Play);

// x − size / 2, truncated toward zero: where the character's edge lies when
// its middle is at x.
constexpr platform::Long centred(platform::Long x, platform::Long size) {
    return static_cast<platform::Long>((2LL * x - size) / 2);
}

// Slot number 1..RingSlots after `slot`.
constexpr platform::Long nextSlot(platform::Long slot) { return slot == RingSlots ? 1 : slot + 1; }
}  // namespace AGENT
