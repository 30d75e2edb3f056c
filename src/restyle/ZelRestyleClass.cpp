#include "restyle/ZelRestyleClass.h"

using platform::Byte;
using platform::Long;

Byte ZelRestyleClass::Init(const std::string&, ZelStylemanagerClass&) { return 0; }

void ZelRestyleClass::AddControl(const std::string&, const std::string&, Long) {}

void ZelRestyleClass::AddMenuSetting(Long, Byte) {}

void ZelRestyleClass::Open(platform::Window&, Byte) {}

Byte ZelRestyleClass::TakeEvent() { return 0; }
