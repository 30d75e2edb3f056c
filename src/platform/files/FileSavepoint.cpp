#include "platform/files/FileSavepoint.h"

#include "platform/files/KeyedFile.h"

namespace platform {

FileSavepoint::FileSavepoint(KeyedFile& file)
    : file_(&file), active_(file.opened() && file.execute(KeyedFile::Savepoint)) {}

FileSavepoint::~FileSavepoint() { rollback(); }

void FileSavepoint::release() {
    if (!active_) return;
    active_ = false;
    file_->execute(KeyedFile::Release);
}

void FileSavepoint::rollback() {
    if (!active_) return;
    active_ = false;
    // Rolling back to a savepoint keeps it; releasing it ends it.
    if (file_->execute(KeyedFile::RollbackTo)) file_->execute(KeyedFile::Release);
}

}  // namespace platform
