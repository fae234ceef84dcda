#pragma once
// Ctrl-C, a terminal hanging up and kill (what schedulers and service managers send) all
// end a computing command the same way: its cancel flag is set, the work stops between
// instants, and the command exits with 128 + the signal's number.

#include <array>
#include <atomic>
#include <functional>

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
    // Throws Interrupted when a signal has come.
    void check() const;

private:
    std::array<void (*)(int), 3> previous_{};
};

// Thrown by EndingSignals::check(); withEndingSignals turns it into the exit code.
struct Interrupted {};

// The one call that makes a command that writes files stop cleanly on a signal: work
// runs with the signals caught and calls check() wherever stopping leaves nothing half
// done (between files, from a progress callback). A signal ends the command there, or
// after the file being written is complete: a note on stderr and exit code 128 + the
// signal's number. Files committed before are whole, every other file is as it was,
// and a writer not yet committed removes its temporary file as check() unwinds.
int withEndingSignals(const std::function<int(const EndingSignals&)>& work);

}  // namespace penumbro::cli
