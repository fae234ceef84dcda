#include "editor/TargetCheck.h"

#include "editor/ObjectTable.h"
#include "editor/generators/PolygonGenerator.h"
#include "project/InputError.h"

namespace penumbro {

namespace {

Placement placementOf(const Lines& text, const ObjectList& list, int targetNumber) {
    if (targetNumber < 1 || targetNumber > list.ObjektAnzahl) {
        throwIfFaulty(list);
        throw InputError({ErrorId::TargetNoObject, {std::to_string(targetNumber)}});
    }
    const TObjekt& o = list.object(targetNumber);
    if (o.kind != ObjectKind::Plain)
        throw InputError({ErrorId::TargetNotPlain, {std::to_string(targetNumber)}});
    return readTargetPlacement(text, static_cast<std::size_t>(o.Zeile - 1));
}

}  // namespace

Placement targetPlacementOf(const Lines& text, int targetNumber) {
    return placementOf(text, ListeAufbauen(text), targetNumber);
}

int TargetflaechenPruefen(const Lines& text) {
    const ObjectList list = readableList(text);
    bool first = true;
    double azimuth = 0;
    double elevation = 0;
    for (int k = 1; k <= list.ObjektAnzahl; ++k) {
        if (!list.object(k).isTarget()) continue;
        const Placement p = placementOf(text, list, k);
        if (first) {
            azimuth = p.azimuth;
            elevation = p.elevation;
            first = false;
        } else if (p.azimuth != azimuth || p.elevation != elevation) {
            return 2;
        }
    }
    return first ? 0 : 1;
}

TargetCheckResult checkTargets(const Lines& text) {
    try {
        const int planes = TargetflaechenPruefen(text);
        return {planes == 0 ? TargetStatus::NoTarget : planes == 2 ? TargetStatus::PlanesDiffer : TargetStatus::OnePlane,
                std::nullopt};
    } catch (const InputError& e) {
        const ObjectList objects = ListeAufbauen(text);
        if (objects.faulty()) return {TargetStatus::Unreadable, e};
        return {objects.targetCount == 0 ? TargetStatus::NoTarget : TargetStatus::OnePlane, std::nullopt};
    }
}

}  // namespace penumbro
