// A line file written whole or not at all: one ADD per line, each written
// whole however long.
//
// The lines go to a new file beside the named one (its name and ".new"),
// which takes the file's place only when it is complete: a failure half-way
// (a full disk, the program killed, a reason of the writer's own) leaves the
// file as it was, or leaves none where there was none. Through a symbolic
// link the file the link ends at is replaced; a name that is no regular file
// (a device) is written into directly. The first failure stops all further
// writing and is kept, so that a file that could not be written is never
// reported as written.
//
// It belongs to the fiber that writes it.
#pragma once

#include "platform/files/LineFile.h"

#include <string>
#include <string_view>

namespace platform {

class WholeLineFile {
public:
    explicit WholeLineFile(std::string fileName);

    // CREATE of the new file (replacing one left from before), then OPEN.
    bool begin();
    void line(std::string_view text);
    // Stops the writing for a reason of the writer's own.
    void fail(std::string reason);
    bool failed() const { return !failure_.empty(); }
    // CLOSE; when every step since begin() succeeded the new file takes the
    // file's name (true), otherwise it is removed.
    bool finish();
    // ERROR() (and FILEERROR() when the system gave one) of the first
    // failure, or the writer's own reason.
    const std::string& failure() const { return failure_; }

private:
    bool succeeded(bool result);

    std::string replaced_;  // empty: no file is replaced, the lines go to the named one
    LineFile file_;
    std::string failure_;
};

}  // namespace platform
