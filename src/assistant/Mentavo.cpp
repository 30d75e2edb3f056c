#include "assistant/Mentavo.h"

#include "platform/message/Message.h"
#include "platform/system/Errors.h"

namespace {

void closeIfOpen(platform::KeyedFile& file) {
    if (file.opened()) file.close();
}

}  // namespace

// The files stay open for the whole run and close with it, so a program run
// again in the same process opens them afresh, wherever it runs.
void MentavoModuleInit(platform::Long finish) {
    if (finish != 0) {
        closeIfOpen(AGNTFILE);
        closeIfOpen(AGNTSET);
        return;
    }
    clearRecord(AGNTFILE.rec.fieldTable(), &AGNTFILE.rec);
    clearRecord(AGNTSET.rec.fieldTable(), &AGNTSET.rec);
}

bool readSetting(const std::string& setting) {
    AGNTSET.rec.SETTING = setting;
    return AGNTSET.get(AGNTSET.KEY_AGS);
}

void loadNumberSetting(const std::string& setting, platform::AnyRef field, platform::Long missing) {
    field.setNumber(readSetting(setting) ? platform::leadingNumber(AGNTSET.rec.VALUE.view()) : missing);
}

void sayFileError(const std::string& step) { platform::MESSAGE(step + platform::ERROR() + "|" + platform::FILEERROR()); }
