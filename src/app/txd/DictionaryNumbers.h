// The running IDENT numbers of one dictionary; they count across all tables.
// The fixed block of the program-wide variables is file 1 with fields 2 to 5.
#pragma once

#include "platform/text/Text.h"

struct DictionaryNumbers {
    platform::Long file = 1;
    platform::Long field = 5;
    platform::Long key = 0;
};

