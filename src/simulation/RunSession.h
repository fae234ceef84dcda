#pragma once
// A fast run as its front-ends see it (the command line's run and the fast-run window):
// the request copied in, one event per simulated day rather than per instant, the
// diffuse pre-computation, each completed month, and a cancel flag read between
// instants. It touches nothing but its arguments, so it may run on any thread.

#include "simulation/Simulation.h"

#include <atomic>
#include <functional>
#include <string>

namespace penumbro {

struct RunRequest {
    Lines text;               // the project text
    std::string projectFile;  // for messages
    TSimParameter params;     // the driver sets the fast-run flag and the site
    RunSettings settings;
};

// Hooks of the front-end; all optional, called on the running thread.
struct RunEvents {
    std::function<void(int day, long instants)> newDay;  // first instant of a day, instants so far
    std::function<void(bool running)> diffuse;           // around the diffuse pre-computation
    std::function<void(int month, const RunResult& soFar)> monthCompleted;
};

// The observer that turns a simulation's instants into these events (newDay once per
// day, however many runs it is handed to).
RunObserver dailyObserver(const RunEvents& events, const std::atomic<bool>* cancel = nullptr,
                          const std::atomic<bool>* pause = nullptr);

// Runs the request. Throws InputError as Simulation does.
RunResult runSession(const RunRequest& request, const RunEvents& events,
                     const std::atomic<bool>* cancel = nullptr, const std::atomic<bool>* pause = nullptr);

}  // namespace penumbro
