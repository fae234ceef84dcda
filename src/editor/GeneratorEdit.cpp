#include "editor/GeneratorEdit.h"

#include "editor/ObjectSplices.h"
#include "editor/ObjectTable.h"
#include "editor/TargetCheck.h"
#include "project/ProjectFormat.h"
#include "project/InputError.h"

#include <string>
#include <vector>

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
    if (o.isOverhang()) {
        // Hung on anything but a target that is no overhang itself, the overhang
        // would be placed anew on every change.
        const int owner = o.TargetNr;
        const bool owned = owner >= 1 && owner <= list.ObjektAnzahl && list.object(owner).isTarget() &&
                           !list.object(owner).isOverhang();
        if (!owned)
            throw InputError({}, o.Zeile, {ErrorId::OverhangOwner, {cutName(text[at]), std::to_string(owner)}});
        return overhangPanelFromLines(text, at);
    }
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
    const ObjectList list = readableList(text);
    bool any = false;
    for (int k = 1; k <= list.ObjektAnzahl; ++k) any = any || list.object(k).TargetNr == targetNr;
    if (!any || targetNr < 1) return text;
    const Placement target = targetPlacementOf(text, targetNr);
    // One pass: each overhang of the target is read from the old text and its new
    // lines take the place of its old ones. An overhang stays one surface, so the
    // count line stands.
    const auto lineAt = [&text](const TObjekt& o) { return text.begin() + static_cast<std::ptrdiff_t>(o.Zeile - 1); };
    Lines out(text.begin(), lineAt(list.object(1)));
    out.reserve(text.size());
    std::vector<std::size_t> starts;  // where each object now begins
    for (int k = 1; k <= list.ObjektAnzahl; ++k) {
        const TObjekt& o = list.object(k);
        starts.push_back(out.size());
        if (o.TargetNr == targetNr) {
            const Lines lines = generateOverhang(readOverhang(text, nameLineIndex(o)), target);
            out.insert(out.end(), lines.begin(), lines.end());
        } else {
            out.insert(out.end(), lineAt(o), lineAt(list.object(k + 1)));
        }
    }
    starts.push_back(out.size());
    out.insert(out.end(), lineAt(list.object(list.ObjektAnzahl + 1)), text.end());

    // The new lines must read as the same objects, or the text would be spoilt.
    const ObjectList after = ListeAufbauen(out);
    bool same = !after.faulty() && after.ObjektAnzahl == list.ObjektAnzahl;
    for (int k = 1; same && k <= list.ObjektAnzahl + 1; ++k)
        same = nameLineIndex(after.object(k)) == starts[static_cast<std::size_t>(k - 1)];
    if (!same)
        throw InputError(after.faulty() ? ErrorMessage(ErrorId::NotOneObjectBecause, {after.errorDetail})
                                        : ErrorMessage(ErrorId::NotOneObject));
    return out;
}

}  // namespace penumbro
