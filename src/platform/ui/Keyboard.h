// The keyboard as a program reads it itself, key by key.
//
// Rules:
// - Without a hold a key acts as it comes (alerts, the keyboard's rules, the
//   focused control), so none waits: KEYBOARD() is 0.
// - HOLDKEYS(true): the keys pressed on the running thread's windows that the
//   program has not alerted do nothing but wait, in order, to be read; the
//   focused control never sees them. HOLDKEYS(false) ends the hold and drops
//   the keys still waiting. Mouse buttons are no keys here. A thread's hold
//   ends with the thread.
// - KEYBOARD(): the code of the first key waiting, 0 for none.
// - ASK: waits for a key (the thread's fiber waits) and takes it: KEYCODE()
//   gives its code. Without a hold no key ever waits: it returns at once.
#pragma once

#include "platform/text/Text.h"

namespace platform {

void HOLDKEYS(bool on);
Long KEYBOARD();
void ASK();

// For the view: true when the window's thread holds its keys and the key now
// waits there.
bool holdKey(int thread, Long keyCode);

}  // namespace platform
