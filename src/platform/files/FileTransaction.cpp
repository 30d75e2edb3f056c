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
    if (std::find(members_.begin(), members_.end(), &file) == members_.end()) return;
    erase(members_, file);
    file.useConnection(nullptr, {});
}

void FileTransaction::forget(KeyedFile& file) {
    leave(file);
    erase(enrolled_, file);
}

bool FileTransaction::logout(Long timeoutSeconds) {
    if (active()) {
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
    connection_ = SqliteConnection::open(systemFileName(enrolled_.front()->name()), SqliteOpen::ReadWrite);
    if (!connection_) return false;
    for (std::size_t i = 1; i < enrolled_.size(); ++i)
        if (!attach(*enrolled_[i], schemaOf(i))) {
            connection_.reset();
            return false;
        }
    connection_->setBusyTimeout(std::chrono::seconds(std::max<Long>(timeoutSeconds, 0)));
    if (!connection_->execute("BEGIN IMMEDIATE")) {
        connection_.reset();
        return false;
    }
    connection_->setBusyTimeout(kBusyTimeout);
    members_ = enrolled_;
    for (std::size_t i = 0; i < members_.size(); ++i)
        members_[i]->useConnection(connection_.get(), schemaOf(i));
    clearError();
    return true;
}

bool FileTransaction::attach(KeyedFile& file, const std::string& schema) {
    return connection_->execute("ATTACH DATABASE " + sqlText(systemFileName(file.name())) + " AS " + sqlName(schema));
}

bool FileTransaction::commit() {
    if (!active()) {
        setError(kNoLogoutActive);
        return false;
    }
    // A commit that fails (a reader holds the file past the busy timeout)
    // leaves the transaction open, to be committed again.
    if (!connection_->execute("COMMIT")) return false;
    for (KeyedFile* file : members_) file->useConnection(nullptr, {});
    members_.clear();
    connection_.reset();
    clearError();
    return true;
}

bool LOGOUT(Long timeoutSeconds) { return FileTransaction::instance().logout(timeoutSeconds); }

bool COMMIT() { return FileTransaction::instance().commit(); }

}  // namespace platform
