// The dictionary file being written: a line file created anew, then one ADD
// per line, each written whole however long (a key over many columns may run
// past 2,048 characters). The first failure stops all further writing and is
// kept, so that a dictionary that could not be written is never reported as
// written.
#pragma once

#include "platform/files/LineFile.h"

#include <string>
#include <string_view>

class TxdOutput {
public:
    explicit TxdOutput(std::string fileName);

    // CREATE (replacing an existing file), then OPEN for writing.
    bool begin();
    void line(std::string_view text);
    bool failed() const { return !failure_.empty(); }
    // CLOSE; true when every step since begin() succeeded.
    bool finish();
    // ERROR() (and FILEERROR() when the system gave one) of the first failure.
    const std::string& failure() const { return failure_; }

private:
    bool succeeded(bool result);

    platform::LineFile file_;
    std::string failure_;
};
