#include "app/txd/OracleNames.h"

#include "platform/text/Text.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::size_t kOracleNameWidth = 30;
constexpr std::array<std::string_view, 6> kReservedColumnNames = {"DATE", "TIME", "ORDER", "USER", "GROUP", "COMMENT"};

}  // namespace

bool isOracleDriver(std::string_view driver) { return driver == "ORACLE"; }

std::string oracleName(std::string_view name) { return platform::upper(name.substr(0, kOracleNameWidth)); }

std::string oracleColumnName(std::string_view name) {
    std::string upperName = oracleName(name);
    const std::string clipped = platform::clip(upperName);
    const bool reserved = std::find(kReservedColumnNames.begin(), kReservedColumnNames.end(), clipped) !=
                          kReservedColumnNames.end();
    return reserved ? clipped + "_" : upperName;
}
