#include "assistant/Mentavo.h"

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
