// The labels of one scope of the dictionary (its files, one file's fields
// and keys, the table prefixes): unique without regard to letter case, as the
// dictionary language reads labels. A label already taken gets 1, 2, ...
// appended; each keeps its own case.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

class UniqueLabels {
public:
    // Taken without being given out: a label the scope has already.
    void reserve(std::string_view label);
    // `label`, or the first of label1, label2, ... that is free; taken from now on.
    std::string take(std::string_view label);

private:
    std::unordered_set<std::string> taken_;  // upper-cased
    // Labels are never given back, so every suffix below the last one given
    // to a label is still taken: the search may start there.
    std::unordered_map<std::string, int> lastSuffix_;  // by upper-cased label
};
