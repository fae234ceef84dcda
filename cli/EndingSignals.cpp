#include "EndingSignals.h"

#include <csignal>

namespace penumbro::cli {

namespace {
std::atomic<bool> interrupted{false};
volatile std::sig_atomic_t endingSignal = 0;
constexpr std::array<int, 3> kSignals{SIGINT, SIGTERM, SIGHUP};
extern "C" void onEndingSignal(int number) {
    endingSignal = number;
    interrupted.store(true);
}
}  // namespace

EndingSignals::EndingSignals() {
    for (std::size_t i = 0; i < kSignals.size(); ++i) previous_[i] = std::signal(kSignals[i], onEndingSignal);
}

EndingSignals::~EndingSignals() {
    for (std::size_t i = 0; i < kSignals.size(); ++i) std::signal(kSignals[i], previous_[i]);
}

const std::atomic<bool>* EndingSignals::flag() const { return &interrupted; }

int EndingSignals::caught() const { return endingSignal; }

}  // namespace penumbro::cli
