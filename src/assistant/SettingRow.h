// A row of the settings file AGNTSET found by its name.
#pragma once

#include <string>

// The row of that name into AGNTSET's buffer; false when it is missing.
bool readSetting(const std::string& setting);
