#include "editor/GeneratorEdit.h"

#include "editor/EditOperations.h"
#include "editor/ObjectTable.h"
#include "project/InputError.h"

namespace penumbro {

namespace {

ObjektListe readableList(const Lines& text) {
    ObjektListe liste = ListeAufbauen(text);
    fehlerPruefen(liste);
    return liste;
}

const TObjekt& existingObject(const ObjektListe& liste, int objectNr) {
    if (objectNr < 1 || objectNr > liste.ObjektAnzahl)
        throw InputError("object " + std::to_string(objectNr) + " does not exist (the project has " +
                         std::to_string(liste.ObjektAnzahl) + " objects)");
    return liste.objekt(objectNr);
}

std::size_t nameLineIndex(const TObjekt& o) { return static_cast<std::size_t>(o.Zeile - 1); }

}  // namespace

ChangePanel openForChange(const Lines& text, int objectNr) {
    const ObjektListe liste = readableList(text);
    const TObjekt& o = existingObject(liste, objectNr);
    const std::size_t at = nameLineIndex(o);
    switch (o.Art) {
        case ObjektArt::Haus:
            return housePanelFromLines(text, at);
        case ObjektArt::Baum:
            return treePanelFromLines(text, at);
        case ObjektArt::Flaeche:
            break;
    }
    if (o.istUeberhang()) return overhangPanelFromLines(text, at);
    return polygonPanelFromLines(text, at);
}

Lines commitInsert(const Lines& text, int objectNr, const Lines& generated) {
    return ZeilenEinsetzen(text, objectNr, true, generated, flaechenVon(generated));
}

Lines commitChange(const Lines& text, int objectNr, const Lines& generated) {
    const ObjektListe before = readableList(text);
    const TObjekt& o = existingObject(before, objectNr);
    const bool plainSurface = o.Art == ObjektArt::Flaeche && !o.istUeberhang();
    Lines out = ZeilenEinsetzen(text, objectNr, false, generated, flaechenVon(generated));
    if (plainSurface) out = regenerateOverhangs(out, objectNr);
    return out;
}

Lines regenerateOverhangs(const Lines& text, int targetNr) {
    Lines out = text;
    const ObjektListe liste = readableList(text);
    bool any = false;
    for (int k = 1; k <= liste.ObjektAnzahl; ++k) any = any || liste.objekt(k).TargetNr == targetNr;
    if (!any || targetNr < 1) return out;
    const Placement target = targetPlacementOf(text, targetNr);
    // A change keeps every object's number and kind, so the list's numbers stay
    // valid while the overhangs are replaced one by one.
    for (int k = 1; k <= liste.ObjektAnzahl; ++k) {
        if (liste.objekt(k).TargetNr != targetNr) continue;
        const ObjektListe current = readableList(out);
        const Overhang overhang = readOverhang(out, nameLineIndex(current.objekt(k)));
        out = ZeilenEinsetzen(out, k, false, generateOverhang(overhang, target), 1);
    }
    return out;
}

}  // namespace penumbro
