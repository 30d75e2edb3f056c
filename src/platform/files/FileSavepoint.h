// A savepoint on a keyed file: the writes made within it land all together
// or not at all. Nested in a LOGOUT it rolls back only its own part;
// outside one it is a transaction of the file's own. It rolls back when it
// ends unreleased. Releasing or rolling back leaves the error state alone
// (unless it fails), so the error of the write that failed stays readable.
//
//   platform::FileSavepoint savepoint(file);
//   if (!writeAll()) { savepoint.rollback(); report(); return; }
//   savepoint.release();
#pragma once

namespace platform {

class KeyedFile;

class FileSavepoint {
public:
    // Nothing is kept for a file that is not open.
    explicit FileSavepoint(KeyedFile& file);
    ~FileSavepoint();
    FileSavepoint(const FileSavepoint&) = delete;
    FileSavepoint& operator=(const FileSavepoint&) = delete;

    void release();
    void rollback();

private:
    KeyedFile* file_;
    bool active_;
};

}  // namespace platform
