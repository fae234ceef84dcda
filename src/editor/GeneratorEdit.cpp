#include "editor/GeneratorEdit.h"

#include "editor/ObjectSplices.h"
#include "editor/ObjectTable.h"
#include "editor/TargetCheck.h"

namespace penumbro {

namespace {
std::size_t nameLineIndex(const TObjekt& o) { return static_cast<std::size_t>(o.Zeile - 1); }
}  // namespace

ChangePanel openForChange(const Lines& text, int objectNr) {
    const ObjectList list = readableList(text);
    const TObjekt& o = existingObject(list, objectNr);
    const std::size_t at = nameLineIndex(o);
    if (o.isHouse()) return housePanelFromLines(text, at);
    if (o.isTree()) return treePanelFromLines(text, at);
    if (o.isOverhang()) return overhangPanelFromLines(text, at);
    return polygonPanelFromLines(text, at);
}

Lines commitInsert(const Lines& text, int objectNr, const Lines& generated) {
    return ZeilenEinsetzen(text, objectNr, true, generated, surfacesOf(generated));
}

Lines commitChange(const Lines& text, int objectNr, const Lines& generated) {
    const ObjectList list = readableList(text);
    const TObjekt& o = existingObject(list, objectNr);
    const bool plainSurface = o.kind == ObjectKind::Plain && !o.isOverhang();
    Lines out = ZeilenEinsetzen(text, objectNr, false, generated, surfacesOf(generated));
    if (plainSurface) out = regenerateOverhangs(out, objectNr);
    return out;
}

Lines regenerateOverhangs(const Lines& text, int targetNr) {
    Lines out = text;
    const ObjectList list = readableList(text);
    bool any = false;
    for (int k = 1; k <= list.ObjektAnzahl; ++k) any = any || list.object(k).TargetNr == targetNr;
    if (!any || targetNr < 1) return out;
    const Placement target = targetPlacementOf(text, targetNr);
    // A change keeps every object's number and kind, so the list's numbers stay
    // valid while the overhangs are replaced one by one.
    for (int k = 1; k <= list.ObjektAnzahl; ++k) {
        if (list.object(k).TargetNr != targetNr) continue;
        const Overhang overhang = readOverhang(out, nameLineIndex(readableList(out).object(k)));
        out = ZeilenEinsetzen(out, k, false, generateOverhang(overhang, target), 1);
    }
    return out;
}

}  // namespace penumbro
