#include "assistant/SettingRow.h"

#include "assistant/Mentavo.h"

bool readSetting(const std::string& setting) {
    AGNTSET.rec.SETTING = setting;
    return AGNTSET.get(AGNTSET.KEY_AGS);
}
