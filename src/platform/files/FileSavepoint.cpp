#include "platform/files/FileSavepoint.h"

#include "platform/files/KeyedFile.h"
#include "platform/files/SqliteConnection.h"

namespace platform {

FileSavepoint::FileSavepoint(KeyedFile& file)
    : file_(&file), active_(file.opened() && file.connection().execute("SAVEPOINT record")) {}

FileSavepoint::~FileSavepoint() { rollback(); }

void FileSavepoint::release() {
    if (!active_) return;
    active_ = false;
    file_->connection().execute("RELEASE record");
}

void FileSavepoint::rollback() {
    if (!active_) return;
    active_ = false;
    file_->connection().execute("ROLLBACK TO record; RELEASE record");
}

}  // namespace platform
