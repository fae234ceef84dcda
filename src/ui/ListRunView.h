#pragma once
// What the simulation list needs of the window its runs show in: the settings chosen
// there, the worker that runs the list with that window's progress display, and the
// names of the entry running. The fast-run window implements it.

#include "simulation/RunSession.h"

#include <functional>
#include <string>

namespace penumbro::ui {

class ListRunView {
public:
    // Hands a call to the GUI thread; dropped when the window is gone.
    using Post = std::function<void(std::function<void()>)>;
    // Work for the worker thread: it reports through events and post and returns what
    // the GUI thread does once the worker has ended.
    using Job = std::function<std::function<void()>(const RunEvents& events, const Post& post)>;

    virtual ~ListRunView() = default;
    // The list takes the window over: the outputs are the list's to name.
    virtual void beginList() = 0;
    // Decimal sign, shading method and language as chosen in the window.
    virtual RunSettings runSettings() const = 0;
    // Runs job on the window's worker (unless one runs), progress shown as for a single run.
    virtual void runInBackground(Job job) = 0;
    // An entry starts: its outputs are shown and the chart starts afresh.
    virtual void showEntry(const std::string& stem) = 0;
    // The window as it was before the list took it over.
    virtual void endList() = 0;
};

}  // namespace penumbro::ui
