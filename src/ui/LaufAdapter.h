#pragma once
// The fast run as the window sees it: inputs copied in, progress reported through a
// callback, a cancel flag read between instants. Runs on any thread; it touches
// nothing but its arguments.

#include "project/Language.h"
#include "project/ProjectText.h"
#include "simulation/SimParameter.h"

#include <array>
#include <atomic>
#include <functional>
#include <string>

namespace penumbro::ui {

struct LaufEingabe {
    Lines text;                  // the project text
    std::string projectFile;     // for messages
    TSimParameter params;        // fastRun is set by the run
    std::string outputBase;      // .rep / .mit stem
    bool decimalComma = false;
    Language language = Language::German;  // of the refusal messages
};

struct LaufEreignis {
    enum class Art { Tag, DiffusBeginn, DiffusEnde, MonatFertig };
    Art art = Art::Tag;
    int tag = 0;                    // Tag: the day now simulated
    int monat = 0;                  // MonatFertig: the month completed
    // MonatFertig: the chart's data so far.
    std::array<std::array<double, 24>, 12> mittel{};
    std::array<bool, 12> gezeigt{};
};

struct LaufErgebnis {
    bool ok = false;
    bool abgebrochen = false;  // ended by the cancel flag
    std::string fehler;        // when !ok: what went wrong, naming the file or line
    // The chart's data at the end of the run.
    std::array<std::array<double, 24>, 12> mittel{};
    std::array<bool, 12> gezeigt{};
    int letzterMonat = 0;  // 0: no month completed
};

// Runs one fast simulation. ereignis is called on the running thread.
LaufErgebnis schnelldurchlauf(const LaufEingabe& eingabe,
                              const std::function<void(const LaufEreignis&)>& ereignis,
                              const std::atomic<bool>& abbruch);

}  // namespace penumbro::ui
