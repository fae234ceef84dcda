#include "editor/ObjectTable.h"

#include "project/InputError.h"
#include "project/Numbers.h"

#include <algorithm>
#include <cmath>

namespace penumbro {

namespace {

std::string cut(const std::string& s, std::size_t n) { return s.size() > n ? s.substr(0, n) : s; }

// The name of a tree or house from its parameter line: the text from the tag on
// without its "#", cut to 25 characters; the bare kind without the tag.
std::string taggedName(const Lines& text, const SurfaceRecord& first, std::string_view tag,
                       const char* kind) {
    if (first.parameterLine) {
        const std::string& line = text[*first.parameterLine];
        const auto at = line.find(tag);
        if (at != std::string::npos) return cut(line.substr(at + 1), kMaxNameLength);
    }
    return kind;
}

// A plain surface: its name without an overhang's "$#" prefix and number, the
// number becoming TargetNr.
void plainName(TObjekt& o, const std::string& name) {
    std::string shown = name;
    if (name.size() > kOverhangPrefix.size() && startsWith(name, kOverhangPrefix)) {
        std::size_t d = kOverhangPrefix.size();
        while (d < name.size() && name[d] >= '0' && name[d] <= '9' && d < 11) ++d;
        if (d > kOverhangPrefix.size()) {
            o.TargetNr = static_cast<int>(*parseInteger(name.substr(2, d - 2)));
            shown = name.substr(d);
        }
    }
    o.Name = cut(shown, kMaxNameLength);
}

std::string hemisphere(double value, const char* positive, const char* negative) {
    std::string s = formatFixed(std::fabs(value), 0, 1);
    if (value > 0) s += std::string("\xB0 ") + positive;
    if (value < 0) s += std::string("\xB0 ") + negative;
    return s;
}

// The third blank-separated field as written.
std::string thirdField(const std::string& line) {
    std::size_t i = 0;
    for (int field = 0;; ++field) {
        i = line.find_first_not_of(' ', i);
        const std::size_t end = std::min(line.find(' ', i), line.size());
        if (field == 2) return line.substr(i, end - i);
        i = end;
    }
}

void readSummary(const Lines& text, const ProjectScan& scan, ObjectList& list) {
    if (scan.siteKeyword) {
        const int at = static_cast<int>(*scan.siteKeyword) + 1;
        const std::string* line = valueLine(text, scan.siteKeyword);
        const auto values = line ? threeNumbers(*line) : std::nullopt;
        if (!line) {
            list.warnings.push_back({at, ErrorId::SiteLineMissing});
        } else if (!values) {
            list.warnings.push_back({at + 1, {ErrorId::SiteLineValues, {*line}}});
        } else {
            list.site = {true, (*values)[0], (*values)[1], thirdField(*line)};
        }
    }
    if (scan.reflectanceKeyword) {
        const int at = static_cast<int>(*scan.reflectanceKeyword) + 1;
        const std::string* line = valueLine(text, scan.reflectanceKeyword);
        const auto values = line ? monthlyFields(*line, kReflectanceOffset) : std::nullopt;
        if (!line) {
            list.warnings.push_back({at, ErrorId::ReflectanceLineMissing});
        } else if (!values) {
            list.warnings.push_back({at + 1, {ErrorId::ReflectanceLineValues, {*line}}});
        } else {
            list.reflectance = *values;
            list.hasReflectance = true;
        }
    }
}

}  // namespace

std::string SiteSummary::latitudeText(Language lang) const {
    if (!present) return {};
    return lang == Language::German ? hemisphere(latitude, "Nord", "S\xFC" "d")
                                    : hemisphere(latitude, "North", "South");
}

std::string SiteSummary::longitudeText(Language lang) const {
    if (!present) return {};
    return lang == Language::German ? hemisphere(longitude, "West", "Ost") : hemisphere(longitude, "West", "East");
}

std::string objectCountText(int n, int t, Language lang) {
    const bool de = lang == Language::German;
    if (n <= 0) return {};
    if (n == 1 && t == 0) return de ? "Ein Objekt, keine Targetfl\xE4" "che" : "One Object, no target";
    if (n == 1 && t == 1)
        return de ? "Ein Objekt, davon eine Targetfl\xE4" "che" : "One Object, one of them is a target";
    const std::string nText = formatInt(n);
    if (t == 0) return nText + (de ? " Objekte, keine Targetfl\xE4" "che" : " Objects, no target");
    if (t == 1)
        return nText + (de ? " Objekte, davon eine Targetfl\xE4" "che" : " Objects, one of them is a target");
    return nText + (de ? " Objekte, davon " : " Objects, ") + formatInt(t) +
           (de ? " Targetfl\xE4" "chen" : " of them are targets");
}

std::string ObjectList::objectCountText(Language lang) const {
    return penumbro::objectCountText(ObjektAnzahl, targetCount, lang);
}

ObjectList ListeAufbauen(const Lines& text) {
    const ProjectScan scan = scanProject(text);
    ObjectList list;
    for (std::size_t i = 0; i < scan.countLine && i < text.size(); ++i)
        if (isCommentLine(text[i]) && text[i].size() > 2) list.comment.push_back(text[i].substr(2));
    if (scan.surfacesEnd > scan.countLine) {  // the count line read
        list.countLine = static_cast<int>(scan.countLine) + 1;
        list.surfaceCount = scan.surfaceCount;
    }
    list.errorLine = scan.errorLine;
    list.error = scan.error;
    list.errorDetail = scan.errorDetail;

    for (const ObjectRecord& record : scan.objects) {
        const SurfaceRecord& first = scan.surfaces[record.firstSurface];
        TObjekt o;
        o.Zeile = static_cast<int>(record.nameLine) + 1;
        o.surfaces = record.surfaceCount;
        o.kind = record.kind;
        if (record.kind == ObjectKind::Tree) {
            o.Name = taggedName(text, first, kTreeTag, "Baum");
        } else if (record.kind == ObjectKind::House) {
            o.Name = taggedName(text, first, kHouseTag, "Haus");
        } else {
            plainName(o, text[record.nameLine]);
            if (first.target) o.Target = kTargetYes;
        }
        if (o.isTarget()) ++list.targetCount;
        list.labels.push_back(o.isTarget() ? o.Name + "\t (Target)" : o.Name);
        // In the table a tree or house goes by its kind; the label keeps its name.
        if (o.isTree()) o.Name = "Baum";
        if (o.isHouse()) o.Name = "Haus";
        list.Objekte.push_back(std::move(o));
    }
    list.ObjektAnzahl = static_cast<int>(list.Objekte.size());
    TObjekt sentinel;
    sentinel.Zeile = static_cast<int>(scan.surfacesEnd) + 1;
    list.Objekte.push_back(sentinel);

    readSummary(text, scan, list);
    return list;
}

void throwIfFaulty(const ObjectList& list, const std::string& file) {
    if (list.faulty()) throw InputError(file, list.reportedLine(), list.errorDetail);
}

ObjectList readableList(const Lines& text) {
    ObjectList list = ListeAufbauen(text);
    throwIfFaulty(list);
    return list;
}

const TObjekt& existingObject(const ObjectList& list, int nr, bool sentinelAllowed) {
    const int highest = sentinelAllowed ? list.ObjektAnzahl + 1 : list.ObjektAnzahl;
    if (nr < 1 || nr > highest)
        throw InputError({ErrorId::ObjectMissing, {formatInt(nr), formatInt(list.ObjektAnzahl)}});
    return list.object(nr);
}

}  // namespace penumbro
