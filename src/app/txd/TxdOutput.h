// The dictionary file being written: one ADD per line, each written whole
// however long (a key over many columns may run past 2,048 characters).
//
// The lines go to a new file beside the dictionary, which replaces the
// dictionary only when it is complete: a failure half-way (the disk full, a
// catalogue read the writer gives up on) leaves an existing dictionary as it
// was. A name that is no regular file (a device) is written into directly. The first failure stops all further writing and is kept, so that a
// dictionary that could not be written is never reported as written.
#pragma once

#include "platform/files/LineFile.h"

#include <string>
#include <string_view>

class TxdOutput {
public:
    explicit TxdOutput(std::string fileName);

    // CREATE of the new file (replacing one left from before), then OPEN.
    bool begin();
    void line(std::string_view text);
    // Stops the writing for a reason of the writer's own.
    void fail(std::string reason);
    bool failed() const { return !failure_.empty(); }
    // CLOSE; when every step since begin() succeeded the new file takes the
    // dictionary's name (true), otherwise it is removed.
    bool finish();
    // ERROR() (and FILEERROR() when the system gave one) of the first
    // failure, or the writer's own reason.
    const std::string& failure() const { return failure_; }

private:
    bool succeeded(bool result);

    std::string replaced_;  // empty: no file is replaced, the lines go to the named one
    platform::LineFile file_;
    std::string failure_;
};
