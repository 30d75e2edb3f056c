#include "platform/message/Locale.h"

#include <array>
#include <bit>

namespace platform {
namespace {

constexpr std::size_t kStandardButtons = 8;
using Captions = std::array<std::string, kStandardButtons>;

const Captions kDefaultCaptions = {"&OK", "&Yes", "&No", "&Abort", "&Retry", "&Ignore", "&Cancel", "&Help"};

Captions& captions() {
    static Captions c = kDefaultCaptions;
    return c;
}

}  // namespace

void LOCALE(std::string_view setting, std::string_view value) {
    if (upper(setting) != "CLABUTTON") return;
    std::size_t place = 0;
    for (std::size_t start = 0; place < kStandardButtons; ++place) {
        const std::size_t comma = value.find(',', start);
        captions()[place] = std::string(value.substr(start, comma - start));
        if (comma == value.npos) break;
        start = comma + 1;
    }
}

const std::string& standardButtonCaption(Long flag) {
    return captions().at(static_cast<std::size_t>(std::countr_zero(static_cast<ULong>(flag))));
}

void resetLocale() { captions() = kDefaultCaptions; }

}  // namespace platform
