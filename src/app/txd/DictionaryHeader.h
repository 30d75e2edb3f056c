// The dictionary's fixed beginning: the header and the file block of the
// program-wide variables (file 1, fields 2 to 5), which every generated
// application gets.
#pragma once

#include "app/txd/TxdOutput.h"

void WriteDictionaryHeader(TxdOutput& output);
