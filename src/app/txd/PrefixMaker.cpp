#include "app/txd/PrefixMaker.h"

#include "app/txd/CleanName.h"

#include <algorithm>

namespace {

constexpr std::size_t kStemWidth = 3;
constexpr std::string_view kGlobalsPrefix = "GLO";

}  // namespace

PrefixMaker::PrefixMaker() { prefixes_.reserve(kGlobalsPrefix); }

std::string PrefixMaker::prefixFor(std::string_view label) {
    const std::string prefix = prefixes_.take(platform::clip(label.substr(0, kStemWidth)));
    const std::string key = platform::upper(prefix);
    const auto at = std::lower_bound(sortedPrefixes_.begin(), sortedPrefixes_.end(), key);
    queue_.rec.PREFIX = key;
    queue_.rec.TABLENAME = CleanName(label);
    queue_.add(static_cast<std::size_t>(at - sortedPrefixes_.begin()) + 1);
    sortedPrefixes_.insert(at, key);
    return prefix;
}
