#pragma once
// Ctrl-C, a terminal hanging up and kill (what schedulers and service managers send) all
// end a computing command the same way: its cancel flag is set, the work stops between
// instants, and the command exits with 128 + the signal's number.

#include <array>
#include <atomic>

namespace penumbro::cli {

// Catches SIGINT, SIGTERM and SIGHUP while it lives; the previous handlers come back after.
class EndingSignals {
public:
    EndingSignals();
    ~EndingSignals();
    EndingSignals(const EndingSignals&) = delete;
    EndingSignals& operator=(const EndingSignals&) = delete;

    // Set by any of the signals; read by the running work.
    const std::atomic<bool>* flag() const;
    // The last signal caught, 0 when none.
    int caught() const;

private:
    std::array<void (*)(int), 3> previous_{};
};

}  // namespace penumbro::cli
