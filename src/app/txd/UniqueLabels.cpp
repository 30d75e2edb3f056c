#include "app/txd/UniqueLabels.h"

#include "platform/text/Text.h"

void UniqueLabels::reserve(std::string_view label) { taken_.insert(platform::upper(label)); }

std::string UniqueLabels::take(std::string_view label) {
    const std::string base(label);
    int& n = lastSuffix_[platform::upper(base)];
    std::string candidate = n == 0 ? base : base + std::to_string(n);
    while (taken_.count(platform::upper(candidate))) candidate = base + std::to_string(++n);
    taken_.insert(platform::upper(candidate));
    return candidate;
}
