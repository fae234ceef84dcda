#include "simulation/RunSession.h"

namespace penumbro {

RunResult runSession(const RunRequest& request, const RunEvents& events, const std::atomic<bool>* cancel,
                     const std::atomic<bool>* pause) {
    TSimParameter p = request.params;
    int lastDay = -1;
    RunObserver observer;
    if (events.newDay) {
        observer.progress = [&](const RunProgress& pr) {
            if (pr.day == lastDay) return;
            lastDay = pr.day;
            events.newDay(pr.day, pr.instants);
        };
    }
    observer.diffuse = events.diffuse;
    observer.monthCompleted = events.monthCompleted;
    observer.cancel = cancel;
    observer.pause = pause;
    return Simulation(request.text, request.projectFile, p, request.settings, observer);
}

}  // namespace penumbro
