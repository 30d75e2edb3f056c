#include "app/txd/PrefixMaker.h"

#include "app/txd/CleanName.h"

#include <algorithm>

namespace {

constexpr std::size_t kStemWidth = 3;
constexpr std::string_view kGlobalsPrefix = "GLO";

}  // namespace

bool PrefixMaker::taken(const std::string& candidate) const {
    const std::string key = platform::upper(candidate);
    return key == kGlobalsPrefix || std::binary_search(sortedPrefixes_.begin(), sortedPrefixes_.end(), key);
}

std::string PrefixMaker::prefixFor(std::string_view label) {
    const std::string stem = platform::clip(label.substr(0, kStemWidth));
    // Prefixes are never given back, so every suffix below the last one given
    // to this stem is still taken: the search may start there.
    int& n = lastSuffix_[platform::upper(stem)];
    platform::CString<20> candidate(n == 0 ? stem : stem + std::to_string(n));
    while (taken(candidate.str())) candidate = stem + std::to_string(++n);
    const std::string key = platform::upper(candidate.view());
    const auto at = std::lower_bound(sortedPrefixes_.begin(), sortedPrefixes_.end(), key);
    queue_.rec.PREFIX = key;
    queue_.rec.TABLENAME = CleanName(label);
    queue_.add(static_cast<std::size_t>(at - sortedPrefixes_.begin()) + 1);
    sortedPrefixes_.insert(at, key);
    return candidate.str();
}
