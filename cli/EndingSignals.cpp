#include "EndingSignals.h"

#include "Cli.h"

#include "project/ErrorTexts.h"

#include <csignal>
#include <iostream>
#include <string>

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
    interrupted.store(false);
    endingSignal = 0;
    for (std::size_t i = 0; i < kSignals.size(); ++i) previous_[i] = std::signal(kSignals[i], onEndingSignal);
}

EndingSignals::~EndingSignals() {
    for (std::size_t i = 0; i < kSignals.size(); ++i) std::signal(kSignals[i], previous_[i]);
}

const std::atomic<bool>* EndingSignals::flag() const { return &interrupted; }

int EndingSignals::caught() const { return endingSignal; }

void EndingSignals::check() const {
    if (interrupted.load()) throw Interrupted{};
}

int withEndingSignals(const std::function<int(const EndingSignals&)>& work) {
    const EndingSignals signals;
    int code = kExitOk;
    try {
        code = work(signals);
    } catch (const Interrupted&) {
    }
    if (signals.caught() == 0) return code;
    std::cerr << toTerminal(ErrorMessage(ErrorId::CommandCancelled, {std::to_string(signals.caught())})
                                .render(messageLanguage()))
              << "\n";
    return 128 + signals.caught();
}

}  // namespace penumbro::cli
