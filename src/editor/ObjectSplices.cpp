#include "editor/ObjectSplices.h"

#include "editor/ObjectTable.h"
#include "project/InputError.h"
#include "project/Numbers.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace penumbro {

namespace {

std::size_t index(int line) { return static_cast<std::size_t>(line - 1); }

Lines::const_iterator at(const Lines& text, std::size_t i) {
    return text.begin() + static_cast<std::ptrdiff_t>(i);
}

// Raises (or lowers) the count line by delta.
void changeCount(Lines& text, const ObjectList& list, int delta) {
    if (delta == 0) return;
    const int count = list.surfaceCount + delta;
    if (count > kMaxSurfaces)
        throw InputError({ErrorId::TooManySurfaces, {formatInt(kMaxSurfaces)}});
    if (count < 0) throw InputError({}, list.countLine, ErrorId::SurfaceCountBelowZero);
    text[index(list.countLine)] = formatInt(count);
}

// The overhang name line with reference m in place of its own.
std::string withReference(const std::string& line, int m) {
    std::size_t d = kOverhangPrefix.size();
    while (d < line.size() && line[d] >= '0' && line[d] <= '9' && d < 11) ++d;
    return std::string(kOverhangPrefix) + formatInt(m) + line.substr(d);
}

// Gives every overhang name line the number renumber(m) for its reference m.
Lines renumberOverhangs(const Lines& text, const std::function<int(int)>& renumber) {
    const ObjectList list = readableList(text);
    Lines out = text;
    for (int k = 1; k <= list.ObjektAnzahl; ++k) {
        const TObjekt& o = list.object(k);
        if (!o.isOverhang()) continue;
        const int m = renumber(o.TargetNr);
        if (m != o.TargetNr) out[index(o.Zeile)] = withReference(out[index(o.Zeile)], m);
    }
    return out;
}

}  // namespace

int surfacesOf(const Lines& generated) {
    if (generated.empty()) return 1;
    if (generated[0] == kTreeName) return kTreeSurfaces;
    if (generated[0] == kHouseName) return kHouseSurfaces;
    return 1;
}

Lines ZeilenEinsetzen(const Lines& text, int ObjektNr, bool Einfuegemodus, const Lines& generated,
                      int generatedSurfaces) {
    const ObjectList list = readableList(text);
    const TObjekt& object = existingObject(list, ObjektNr, Einfuegemodus);
    const std::size_t from = index(object.Zeile);
    const std::size_t to = Einfuegemodus ? from : index(list.object(ObjektNr + 1).Zeile);

    Lines out(text.begin(), at(text, from));
    out.insert(out.end(), generated.begin(), generated.end());
    out.insert(out.end(), at(text, to), text.end());
    changeCount(out, list, Einfuegemodus ? generatedSurfaces : generatedSurfaces - object.surfaces);

    // The new lines must read as exactly one object, or the text would be spoilt.
    const ObjectList after = ListeAufbauen(out);
    const int expected = Einfuegemodus ? list.ObjektAnzahl + 1 : list.ObjektAnzahl;
    if (after.faulty() || after.ObjektAnzahl != expected ||
        index(after.object(ObjektNr + 1).Zeile) != from + generated.size()) {
        throw InputError(after.faulty() ? ErrorMessage(ErrorId::NotOneObjectBecause, {after.errorDetail})
                                        : ErrorMessage(ErrorId::NotOneObject));
    }
    if (Einfuegemodus && ObjektNr <= list.ObjektAnzahl)
        out = renumberOverhangs(out, [ObjektNr](int m) { return m >= ObjektNr ? m + 1 : m; });
    return out;
}

Lines ZeilenEntfernen(const Lines& text, int ObjektNr) {
    const ObjectList list = readableList(text);
    const TObjekt& object = existingObject(list, ObjektNr);
    Lines out(text.begin(), at(text, index(object.Zeile)));
    out.insert(out.end(), at(text, index(list.object(ObjektNr + 1).Zeile)), text.end());
    changeCount(out, list, -object.surfaces);
    return out;
}

Lines deleteObject(const Lines& text, int ObjektNr) {
    const ObjectList list = readableList(text);
    const bool wasTarget = existingObject(list, ObjektNr).isTarget();
    // A target takes the overhangs referring to it (or to no object, 0) along. The
    // objects go in one pass; a reference m then drops by the removed objects before it.
    std::vector<int> removed;  // ascending object numbers
    int removedSurfaces = 0;
    for (int k = 1; k <= list.ObjektAnzahl; ++k) {
        const int m = list.object(k).TargetNr;
        if (k == ObjektNr || (wasTarget && (m == 0 || m == ObjektNr))) {
            removed.push_back(k);
            removedSurfaces += list.object(k).surfaces;
        }
    }
    const auto removedBefore = [&removed](int m) {
        return static_cast<int>(std::lower_bound(removed.begin(), removed.end(), m) - removed.begin());
    };
    Lines out(text.begin(), at(text, index(list.object(1).Zeile)));
    out.reserve(text.size());
    std::size_t next = 0;  // into removed
    for (int k = 1; k <= list.ObjektAnzahl; ++k) {
        const TObjekt& o = list.object(k);
        if (next < removed.size() && removed[next] == k) {
            ++next;
            continue;
        }
        const std::size_t first = out.size();
        out.insert(out.end(), at(text, index(o.Zeile)), at(text, index(list.object(k + 1).Zeile)));
        if (!o.isOverhang()) continue;
        const int m = o.TargetNr == ObjektNr ? 0 : o.TargetNr - removedBefore(o.TargetNr);
        if (m != o.TargetNr) out[first] = withReference(out[first], m);
    }
    out.insert(out.end(), at(text, index(list.object(list.ObjektAnzahl + 1).Zeile)), text.end());
    changeCount(out, list, -removedSurfaces);
    return out;
}

std::string targetDeleteWarning(Language lang) {
    if (lang == Language::German)
        return "Objekt ist eine Targetfl\xE4" "che. Eventuell zugeh\xF6rige \xDC" "berh\xE4nge werden ebenfalls "
               "gel\xF6scht!";
    return "Object is a target surface. The overhangs of this target will be deleted too!";
}

Lines FlaechenSchreiben(const Lines& text, const Lines& generated, int generatedSurfaces) {
    Lines withoutEmpty;
    withoutEmpty.reserve(text.size());
    for (const auto& l : text)
        if (!l.empty()) withoutEmpty.push_back(l);
    const ObjectList list = readableList(withoutEmpty);
    return ZeilenEinsetzen(withoutEmpty, list.ObjektAnzahl + 1, true, generated, generatedSurfaces);
}

Lines objectLines(const Lines& text, int ObjektNr) {
    const ObjectList list = readableList(text);
    const TObjekt& object = existingObject(list, ObjektNr);
    return Lines(at(text, index(object.Zeile)), at(text, index(list.object(ObjektNr + 1).Zeile)));
}

}  // namespace penumbro
