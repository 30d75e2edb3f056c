#include "app/txd/PrefixMaker.h"

#include "app/txd/CleanName.h"

namespace {

constexpr std::size_t kStemWidth = 3;
constexpr std::string_view kGlobalsPrefix = "GLO";
const std::vector<platform::SortKey> kByPrefix = {{"PFQ:PREFIX"}};

}  // namespace

const platform::FieldTable& PrefixRecord::fieldTable() {
    static const platform::FieldTable table{{platform::field("PFQ:PREFIX", &PrefixRecord::PREFIX),
                                             platform::field("PFQ:TABLENAME", &PrefixRecord::TABLENAME)}};
    return table;
}

bool PrefixMaker::taken(const std::string& candidate) {
    const std::string key = platform::upper(candidate);
    if (key == kGlobalsPrefix) return true;
    queue_.rec.PREFIX = key;
    return queue_.get(kByPrefix);
}

std::string PrefixMaker::prefixFor(std::string_view label) {
    const std::string stem = platform::clip(label.substr(0, kStemWidth));
    platform::CString<20> candidate(stem);
    for (int n = 1; taken(candidate.str()); ++n) candidate = stem + std::to_string(n);
    queue_.rec.PREFIX = platform::upper(candidate.view());
    queue_.rec.TABLENAME = CleanName(label);
    queue_.add(kByPrefix);
    return candidate.str();
}
