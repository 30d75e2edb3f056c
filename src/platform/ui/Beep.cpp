#include "platform/ui/Beep.h"

#include <QApplication>

namespace platform {
namespace {

std::size_t sounded = 0;

}  // namespace

void BEEP() {
    ++sounded;
    QApplication::beep();
}

std::size_t beepsSounded() { return sounded; }

}  // namespace platform
