#include "ui/LaufAdapter.h"

#include "project/InputError.h"
#include "simulation/Simulation.h"

namespace penumbro::ui {

LaufErgebnis schnelldurchlauf(const LaufEingabe& eingabe,
                              const std::function<void(const LaufEreignis&)>& ereignis,
                              const std::atomic<bool>& abbruch) {
    LaufErgebnis ergebnis;
    TSimParameter p = eingabe.params;
    p.fastRun = true;
    RunSettings settings;
    settings.baseName = eingabe.outputBase;
    settings.decimalComma = eingabe.decimalComma;
    settings.language = eingabe.language;

    int letzterTag = -1;
    RunObserver observer;
    // The window needs to hear of a new day only, not of every instant.
    observer.progress = [&](const RunProgress& pr) {
        if (pr.day == letzterTag) return;
        letzterTag = pr.day;
        LaufEreignis e;
        e.art = LaufEreignis::Art::Tag;
        e.tag = pr.day;
        ereignis(e);
    };
    observer.diffuse = [&](bool running) {
        LaufEreignis e;
        e.art = running ? LaufEreignis::Art::DiffusBeginn : LaufEreignis::Art::DiffusEnde;
        ereignis(e);
    };
    observer.monthCompleted = [&](int month, const RunResult& soFar) {
        LaufEreignis e;
        e.art = LaufEreignis::Art::MonatFertig;
        e.monat = month;
        e.mittel = soFar.monthlyMeans;
        e.gezeigt = soFar.monthsShown;
        ereignis(e);
    };
    observer.cancel = &abbruch;

    try {
        const RunResult r = Simulation(eingabe.text, eingabe.projectFile, p, settings, observer);
        ergebnis.ok = true;
        ergebnis.abgebrochen = r.cancelled;
        ergebnis.mittel = r.monthlyMeans;
        ergebnis.gezeigt = r.monthsShown;
        ergebnis.letzterMonat = r.lastMonth;
    } catch (const InputError& e) {
        ergebnis.fehler = e.what();
    }
    return ergebnis;
}

}  // namespace penumbro::ui
