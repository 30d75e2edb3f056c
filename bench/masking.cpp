// Masking the passwords of a failure message: a connect string of twenty
// password attributes of one star each, quoted by the message as the program
// quotes it. Each mask holds stars, so a masking that searched for the
// passwords' text would find them again in its own masks. Should take well
// under a millisecond.
#include "Timing.h"

#include "app/odbccatalog/ConnectString.h"

#include <cstdio>

using namespace bench;

int main() {
    std::string connectString = "DSN=nothere";
    for (int i = 0; i < 20; ++i) connectString += ";PWD=*";
    const std::string message = "[unixODBC][Driver Manager]Data source name not found and no default driver specified";
    constexpr int kRounds = 1000;
    std::vector<double> times;
    std::size_t shownLength = 0;
    for (int round = 0; round < kRounds; ++round) {
        const auto start = SteadyClock::now();
        const std::string shown = "The connection to the data source failed.|Backend error:" +
                                  maskPasswords(message, connectString) + "|Owner:" + maskPassword(connectString);
        times.push_back(msSince(start));
        shownLength = shown.size();
    }
    std::printf("masked a failure message of %zu characters: median %s ms (target < 1 ms)\n", shownLength,
                shown(median(times), 4).c_str());
    return 0;
}
