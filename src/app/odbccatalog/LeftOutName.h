// A name that a catalogue read left out rather than keep it changed: cut to
// its queue field, or with "?" for letters Windows-1252 lacks.
#pragma once

#include <string>
#include <vector>

struct LeftOutName {
    enum class Reason { Overlong, NotWindows1252 };
    // The name, each character Windows-1252 lacks written as <U+XXXX>.
    std::string shown;
    Reason reason;

    bool operator==(const LeftOutName&) const = default;
};

// Why, as a message says it after a name: "longer than 128 characters", ...
std::string leftOutReason(LeftOutName::Reason reason);

// The message of the tables a table list left out; empty when it left none.
std::string tablesLeftOutMessage(const std::vector<LeftOutName>& tables);
