// The assistant's module: its two data files, each with the one record
// buffer every operation and thread of the assistant shares, in the current
// folder; and the module's initialiser, which the program runs at its start
// (finish 0) and at its end (finish 1).
#pragma once

#include "assistant/AgntFile.h"
#include "assistant/AgntSetFile.h"
#include "platform/data/AnyRef.h"

inline AgntSetFile AGNTSET;
inline AgntFile AGNTFILE;

void MentavoModuleInit(platform::Long finish);

// The settings row of that name into AGNTSET's buffer; false when missing.
bool readSetting(const std::string& setting);
// The number the row of that name holds, in the field's width (a BYTE keeps
// its low 8 bits); `missing` without the row.
void loadNumberSetting(const std::string& setting, platform::AnyRef field, platform::Long missing);
// A failed file operation: the step's text, then ERROR() and FILEERROR().
void sayFileError(const std::string& step);
