#include "app/odbccatalog/LeftOutName.h"

#include "app/odbccatalog/CatalogQueues.h"

std::string leftOutReason(LeftOutName::Reason reason) {
    switch (reason) {
        case LeftOutName::Reason::Overlong:
            return "longer than " + std::to_string(CatalogName::capacity) + " characters";
        case LeftOutName::Reason::NotWindows1252: return "with characters outside Windows-1252";
    }
    return {};
}

std::string tablesLeftOutMessage(const std::vector<LeftOutName>& tables) {
    if (tables.empty()) return {};
    std::string text = "Tables with these names are left out:";
    for (const LeftOutName& table : tables) text += "|" + table.shown + " (" + leftOutReason(table.reason) + ")";
    return text;
}
