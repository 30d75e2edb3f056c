// Runs a test under the program's second language's locale (nl_NL.UTF-8,
// where "," is the decimal separator), as a Dutch user's session would be;
// the previous locale comes back at the end of the scope.
#pragma once

#include <clocale>
#include <string>

class DutchLocale {
public:
    DutchLocale() : previous_(std::setlocale(LC_ALL, nullptr)) {
        active_ = std::setlocale(LC_ALL, "nl_NL.UTF-8") != nullptr;
    }
    ~DutchLocale() { std::setlocale(LC_ALL, previous_.c_str()); }
    DutchLocale(const DutchLocale&) = delete;
    DutchLocale& operator=(const DutchLocale&) = delete;

    bool active() const { return active_; }
    static constexpr const char* kMissing = "the locale nl_NL.UTF-8 is not generated (scripts/install-deps.sh makes it)";

private:
    std::string previous_;
    bool active_ = false;
};
