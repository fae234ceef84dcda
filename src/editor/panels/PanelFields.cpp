#include "editor/panels/PanelFields.h"

#include "project/InputError.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

namespace penumbro {

namespace {

[[noreturn]] void badField(const std::string& field, const std::string& what) {
    throw InputError(field + ": " + what);
}

[[noreturn]] void badField(ErrorId what, std::vector<ErrorArg> args) { throw InputError({what, std::move(args)}); }

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = text.find(separator, from);
        parts.push_back(text.substr(from, at == std::string::npos ? std::string::npos : at - from));
        if (at == std::string::npos) return parts;
        from = at + 1;
    }
}

bool targetFlag(const std::string& value) {
    if (value == "0") return false;
    if (value == "1") return true;
    badField(ErrorId::FieldTargetFlag, {value});
}

void fillCorners(CornerGrid& grid, const std::string& value, Language lang) {
    const std::vector<CornerRow> rows = parseCornerList(value);
    grid.setCount(std::to_string(rows.size()));
    if (!grid.buttonEnabled()) {
        badField("corners", lang == Language::German
                                ? "3 bis 12 Eckpunkte erwartet, nicht " + std::to_string(rows.size())
                                : "3 to 12 corners expected, not " + std::to_string(rows.size()));
    }
    grid.open();
    grid.rows = rows;
    if (auto message = grid.confirm(lang)) badField("corners", *message);
}

[[noreturn]] void unknownField(const std::string& field) { badField(ErrorId::FieldUnknown, {field}); }

// Sets the text field the key names; an unknown key is an error naming it.
void setTextField(const std::string& field, const std::string& value,
                  std::initializer_list<std::pair<const char*, std::string*>> fields) {
    for (const auto& [key, member] : fields) {
        if (field == key) {
            *member = value;
            return;
        }
    }
    unknownField(field);
}

}  // namespace

const std::vector<std::string>& rectangleFieldNames() {
    static const std::vector<std::string> names = {"name",    "target",    "lu", "lv", "u0", "v0",
                                                   "azimuth", "elevation", "x",  "y",  "z"};
    return names;
}

const std::vector<std::string>& polygonFieldNames() {
    static const std::vector<std::string> names = {"name", "target", "corners", "azimuth",
                                                   "elevation", "x", "y", "z"};
    return names;
}

const std::vector<std::string>& overhangFieldNames() {
    static const std::vector<std::string> names = {"name", "corners", "uv-rectangle", "azimuth-difference",
                                                   "elevation-difference"};
    return names;
}

const std::vector<std::string>& houseFieldNames() {
    static const std::vector<std::string> names = numberFieldNames(houseFields());
    return names;
}

const std::vector<std::string>& treeFieldNames() {
    static const std::vector<std::string> names = numberFieldNames(treeFields(), {"foliage"});
    return names;
}

std::vector<CornerRow> parseCornerList(const std::string& text) {
    std::vector<CornerRow> rows;
    for (const std::string& corner : split(text, ';')) {
        const std::vector<std::string> uv = split(corner, ',');
        if (uv.size() != 2)
            badField(ErrorId::FieldCornerPairs, {corner});
        rows.push_back({uv[0], uv[1]});
    }
    return rows;
}

void applyFields(RectanglePanel& p, const FieldValues& values, Language) {
    for (const auto& [field, value] : values) {
        if (field == "target") p.target = targetFlag(value);
        else setTextField(field, value, {{"name", &p.name}, {"lu", &p.lu}, {"lv", &p.lv}, {"u0", &p.u0},
                                         {"v0", &p.v0}, {"azimuth", &p.azimuth}, {"elevation", &p.elevation},
                                         {"x", &p.x}, {"y", &p.y}, {"z", &p.z}});
    }
}

void applyFields(PolygonPanel& p, const FieldValues& values, Language lang) {
    for (const auto& [field, value] : values) {
        if (field == "target") p.target = targetFlag(value);
        else if (field == "corners") fillCorners(p.corners, value, lang);
        else setTextField(field, value, {{"name", &p.name}, {"azimuth", &p.azimuth}, {"elevation", &p.elevation},
                                         {"x", &p.x}, {"y", &p.y}, {"z", &p.z}});
    }
}

void applyFields(OverhangPanel& p, const FieldValues& values, Language lang) {
    for (const auto& [field, value] : values) {
        if (field == "corners") {
            fillCorners(p.corners, value, lang);
        } else if (field == "uv-rectangle") {
            // The window's u-v rectangle form: its first corner goes into the placement line too.
            const std::vector<std::string> parts = split(value, ',');
            if (parts.size() != 4) badField(ErrorId::FieldUvRectangle, {});
            p.form = {parts[0], parts[1], parts[2], parts[3]};
            if (auto message = p.applyUvRectangle(lang)) badField("uv-rectangle", *message);
        } else {
            setTextField(field, value, {{"name", &p.name},
                                         {"azimuth-difference", &p.azimuthDifference},
                                         {"elevation-difference", &p.elevationDifference}});
        }
    }
}

void applyFields(HousePanel& p, const FieldValues& values, Language) {
    for (const auto& [field, value] : values) {
        std::string* text = numberFieldText(p, houseFields(), field);
        if (!text) unknownField(field);
        *text = value;
    }
}

void applyFields(TreePanel& p, const FieldValues& values, Language) {
    for (const auto& [field, value] : values) {
        if (field == "foliage") {
            const std::vector<std::string> months = split(value, ',');
            if (months.size() != 12)
                badField(ErrorId::FieldFoliageCount, {std::to_string(months.size())});
            std::copy(months.begin(), months.end(), p.foliage.begin());
        } else if (std::string* text = numberFieldText(p, treeFields(), field)) {
            *text = value;
        } else {
            unknownField(field);
        }
    }
}

}  // namespace penumbro
