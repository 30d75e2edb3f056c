#include "app/txd/TxdProgress.h"

namespace {

// Painting every step would cost more than the steps of a fast data source.
constexpr std::size_t kStepsBetweenShows = 20;

}  // namespace

void TxdProgress::step(std::string_view work, std::size_t done, std::size_t total) const {
    if (!show_ || (done % kStepsBetweenShows != 0 && done != total)) return;
    show_(std::string(work) + ": " + std::to_string(done) + " of " + std::to_string(total));
}

void TxdProgress::end() const {
    if (show_) show_({});
}
