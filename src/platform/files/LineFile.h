// Line files (the runtime's ASCII driver): one record is one line of text.
//
// CREATE makes an empty file (replacing one that exists) and leaves it closed;
// OPEN opens it for reading or for reading and appending; ADD appends one line
// without its trailing blanks, ended by CR LF; SET goes back to the first line
// and NEXT reads the following one (CR LF or a lone LF ends a line). Lines are
// the program's Windows-1252 bytes, written and read unchanged; the file name
// is Windows-1252 text too and is converted to the file system's UTF-8.
//
// Every operation reports through the runtime's error state: ERRORCODE 0 on
// success, 2/3/5 for a missing file, a missing folder or no permission, 33 at
// the end of the file, 37 when the file is not open, 90 with the system's
// message in FILEERROR for anything else. ADDs are buffered, so a write the
// system refuses (a full disk) shows at a later ADD or at CLOSE, which fails.
//
// A LineFile belongs to the fiber that uses it; it is not shared.
#pragma once

#include "platform/odbc/FileProperties.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace platform {

// A record width that holds any line.
constexpr std::size_t kAnyLineWidth = std::string_view::npos;

class LineFile {
public:
    // `recordWidth` is the width of the line record: longer lines are cut
    // (kAnyLineWidth: none are).
    explicit LineFile(std::string name = {}, std::size_t recordWidth = 2048);
    ~LineFile();
    LineFile(const LineFile&) = delete;
    LineFile& operator=(const LineFile&) = delete;

    void setName(std::string name) { name_ = std::move(name); }
    const std::string& name() const { return name_; }
    bool isOpen() const { return stream_ != nullptr; }

    // Each returns true when ERRORCODE() is 0 afterwards.
    bool create();
    bool open(Long accessMode = kReadWriteDenyWrite);
    bool add(std::string_view line);
    bool set();
    bool next();  // the line read is in line()
    bool close();
    // RENAME of the closed file: it takes the new name (and replaces a file
    // of that name at once, so that a reader meets the old file or the new
    // one, never a part); REMOVE of the closed file.
    bool rename(const std::string& newName);
    bool remove();

    const std::string& line() const { return line_; }

private:
    bool requireOpen();
    bool endAppending();

    std::string name_;
    std::size_t recordWidth_;
    std::FILE* stream_ = nullptr;
    bool writable_ = false;
    bool appending_ = false;  // the last operation was an ADD
    std::string line_;
};

// Where a complete new file must be renamed to replace the file `name`: the
// file itself, or the end of its chain of symbolic links (so that the link
// stays a link); empty when `name` is something else than a regular file (a
// device, a folder), which only writing into it can reach.
std::string replacedFile(const std::string& name);

}  // namespace platform
