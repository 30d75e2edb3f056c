#include "platform/files/FileTransaction.h"

#include "platform/files/KeyedFile.h"
#include "platform/files/SqliteConnection.h"
#include "platform/system/Errors.h"
#include "platform/text/Codepage.h"

#include <algorithm>

namespace platform {
namespace {

void erase(std::vector<KeyedFile*>& files, KeyedFile& file) { std::erase(files, &file); }

// The first enrolled file is the connection's main database.
std::string schemaOf(std::size_t member) { return member == 0 ? "main" : "logout" + std::to_string(member); }

}  // namespace

FileTransaction& FileTransaction::instance() {
    // Never destroyed: files declared as globals may go after it.
    static FileTransaction* transaction = new FileTransaction;
    return *transaction;
}

void FileTransaction::enrol(KeyedFile& file, bool startList) {
    if (startList) enrolled_.clear();
    if (std::find(enrolled_.begin(), enrolled_.end(), &file) == enrolled_.end()) enrolled_.push_back(&file);
}

void FileTransaction::leave(KeyedFile& file) {
    if (std::find(members_.begin(), members_.end(), &file) != members_.end()) {
        erase(members_, file);
        file.useConnection(nullptr, {});
    }
    // The connection must not outlive the file it was opened over (a file
    // made anew under the name would be another).
    if (std::find(connected_.begin(), connected_.end(), &file) != connected_.end()) stale_ = true;
    if (stale_ && !active_) disconnect();
}

void FileTransaction::forget(KeyedFile& file) {
    leave(file);
    erase(enrolled_, file);
}

bool FileTransaction::logout(Long timeoutSeconds) {
    if (active_) {
        setError(kLogoutAlreadyActive);
        return false;
    }
    if (enrolled_.empty()) {
        setError(kFileNotOpen);
        return false;
    }
    for (KeyedFile* file : enrolled_) {
        if (!file->opened()) {
            setError(kFileNotOpen);
            return false;
        }
        if (file->readOnly_) {
            setError(kAccessDenied);
            return false;
        }
    }
    if (!connect()) return false;
    connection_->setBusyTimeout(std::chrono::seconds(std::max<Long>(timeoutSeconds, 0)));
    const bool locked = connection_->execute("BEGIN IMMEDIATE");
    connection_->setBusyTimeout(kBusyTimeout);
    if (!locked) return false;
    changesAtLogout_ = sqlite3_total_changes64(connection_->handle());
    active_ = true;
    members_ = enrolled_;
    for (std::size_t i = 0; i < members_.size(); ++i) members_[i]->useConnection(connection_.get(), schemaOf(i));
    clearError();
    return true;
}

// The connection of the last transaction serves again when the same files
// are enrolled: its cache still holds what it read, unless another
// connection wrote meanwhile (SQLite checks).
bool FileTransaction::connect() {
    if (connection_ && connected_ == enrolled_) return true;
    disconnect();
    connection_ = SqliteConnection::open(systemFileName(enrolled_.front()->name()), SqliteOpen::ReadWrite);
    if (!connection_) return false;
    for (std::size_t i = 1; i < enrolled_.size(); ++i)
        if (!connection_->execute("ATTACH DATABASE " + sqlText(systemFileName(enrolled_[i]->name())) + " AS " +
                                  sqlName(schemaOf(i)))) {
            disconnect();
            return false;
        }
    connected_ = enrolled_;
    return true;
}

void FileTransaction::disconnect() {
    connection_.reset();
    connected_.clear();
    stale_ = false;
}

bool FileTransaction::commit() {
    if (!active_) {
        setError(kNoLogoutActive);
        return false;
    }
    // A commit that fails (a reader holds the file past the busy timeout)
    // leaves the transaction open, to be committed again.
    // Nothing written, nothing to keep: a multi-file commit would still
    // write and sync its super-journal.
    const bool wrote = sqlite3_total_changes64(connection_->handle()) != changesAtLogout_;
    if (!connection_->execute(wrote ? "COMMIT" : "ROLLBACK")) return false;
    for (KeyedFile* file : members_) file->useConnection(nullptr, {});
    members_.clear();
    active_ = false;
    if (stale_) disconnect();
    clearError();
    return true;
}

bool LOGOUT(Long timeoutSeconds) { return FileTransaction::instance().logout(timeoutSeconds); }

bool COMMIT() { return FileTransaction::instance().commit(); }

}  // namespace platform
