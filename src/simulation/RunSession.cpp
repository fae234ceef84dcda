#include "simulation/RunSession.h"

#include <memory>

namespace penumbro {

RunObserver dailyObserver(const RunEvents& events, const std::atomic<bool>* cancel, const std::atomic<bool>* pause) {
    RunObserver observer;
    if (events.newDay) {
        observer.progress = [newDay = events.newDay, lastDay = std::make_shared<int>(-1)](const RunProgress& pr) {
            if (pr.day == *lastDay) return;
            *lastDay = pr.day;
            newDay(pr.day, pr.instants);
        };
    }
    observer.diffuse = events.diffuse;
    observer.monthCompleted = events.monthCompleted;
    observer.cancel = cancel;
    observer.pause = pause;
    return observer;
}

RunResult runSession(const RunRequest& request, const RunEvents& events, const std::atomic<bool>* cancel,
                     const std::atomic<bool>* pause) {
    TSimParameter p = request.params;
    return Simulation(request.text, request.projectFile, p, request.settings, dailyObserver(events, cancel, pause));
}

}  // namespace penumbro
