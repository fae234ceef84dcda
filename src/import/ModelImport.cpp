#include "import/ModelImport.h"

#include "editor/NameRules.h"
#include "editor/ObjectTable.h"
#include "editor/generators/PolygonGenerator.h"
#include "import/FaceGeometry.h"
#include "import/ModelFaces.h"
#include "project/Encoding.h"
#include "project/FileIo.h"
#include "project/InputError.h"
#include "project/Numbers.h"
#include "project/ProjectFormat.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <limits>
#include <map>
#include <string_view>
#include <tuple>

namespace penumbro {

namespace {

ModelFormat formatOfExtension(const std::string& ext) {
    if (ext == "gml" || ext == "citygml" || ext == "xml") return ModelFormat::CityGml;
    if (ext == "obj") return ModelFormat::Obj;
    if (ext == "gltf" || ext == "glb") return ModelFormat::Gltf;
    if (ext == "dae") return ModelFormat::Dae;
    if (ext == "stl") return ModelFormat::Stl;
    if (ext == "3ds") return ModelFormat::Max3ds;
    return ModelFormat::Auto;
}

// The extension the mesh reader takes as the format's hint.
std::string hintOf(ModelFormat format, const std::string& ext) {
    switch (format) {
        case ModelFormat::Obj: return "obj";
        case ModelFormat::Gltf: return ext == "glb" ? "glb" : "gltf";
        case ModelFormat::Dae: return "dae";
        case ModelFormat::Stl: return "stl";
        case ModelFormat::Max3ds: return "3ds";
        default: return ext;
    }
}

// The words of the surface names, by kind (project text, Windows-1252).
const char* kindWord(FaceKind kind) {
    switch (kind) {
        case FaceKind::Wall: return "Wand";
        case FaceKind::Roof: return "Dach";
        case FaceKind::Ground: return "Boden";
        default: return "Fl\xE4" "che";
    }
}

// A face the reader could not classify, told by its tilt.
FaceKind kindOfTilt(FaceKind kind, double elevation) {
    if (kind != FaceKind::Unknown) return kind;
    if (elevation >= 10.0) return FaceKind::Roof;
    if (elevation <= -10.0) return FaceKind::Ground;
    return FaceKind::Wall;
}

// A model's name as the start of a surface name: one line of printable characters
// that cannot be taken for a comment, a construction line or an overhang's prefix.
std::string nameBase(const std::string& utf8, std::size_t room) {
    std::string s = utf8ToCp1252(utf8);
    for (char& c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F) c = '_';
    }
    const auto first = s.find_first_not_of(" *#$");
    s = first == std::string::npos ? std::string() : s.substr(first);
    if (s.size() > room) s.resize(room);
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

struct Surface {
    std::string name;
    Placement placement;
    Ring corners;
};

class Writer {
public:
    explicit Writer(ImportSummary& summary) : summary_(summary) {
        summary_.low = {kBig, kBig, kBig};
        summary_.high = {-kBig, -kBig, -kBig};
    }

    void startGroup(const RawGroup& group, int number, bool cityModel) {
        group_ = group.name;
        fallback_ = std::string(cityModel ? "Haus " : "Netz ") + formatInt(number);
        counters_.clear();
    }

    void add(FaceKind kind, const Placement& placement, const Ring& piece) {
        const std::string suffix = std::string(" ") + kindWord(kind) + " " + formatInt(++counters_[kind]);
        const std::size_t room = static_cast<std::size_t>(kMaxNameLength) - suffix.size();
        std::string base = nameBase(group_, room);
        if (base.empty()) base = fallback_;
        std::string name = base + suffix;
        if (isReservedName(name)) name = fallback_ + suffix;
        // Rounded as the local lines keep them, without "-0.000000", which a change
        // without edits would write as "0.000000".
        Ring corners;
        for (const UV& c : piece) {
            const UV w = asWritten(c);
            corners.push_back({w.u + 0.0, w.v + 0.0});
        }
        PlainSurface surface{name, false, corners, placement};
        const Lines block = generatePlainSurface(surface);
        lines.insert(lines.end(), block.begin(), block.end());
        for (const Vec3& v : placeCorners(corners, placement)) {
            summary_.low = {std::min(summary_.low.x, v.x), std::min(summary_.low.y, v.y), std::min(summary_.low.z, v.z)};
            summary_.high = {std::max(summary_.high.x, v.x), std::max(summary_.high.y, v.y), std::max(summary_.high.z, v.z)};
        }
        ++summary_.polygons;
    }

    Lines lines;

private:
    static constexpr double kBig = std::numeric_limits<double>::max();
    ImportSummary& summary_;
    std::string group_, fallback_;
    std::map<FaceKind, int> counters_;
};

bool withinRadius(const std::vector<Vec3>& ring, double radius) {
    const double r2 = radius * radius;
    for (std::size_t i = 0; i < ring.size(); ++i) {
        const Vec3& a = ring[i];
        const Vec3& b = ring[(i + 1) % ring.size()];
        const double dx = b.x - a.x, dy = b.y - a.y;
        const double len2 = dx * dx + dy * dy;
        double t = len2 > 0 ? -(a.x * dx + a.y * dy) / len2 : 0.0;
        t = std::clamp(t, 0.0, 1.0);
        const double px = a.x + t * dx, py = a.y + t * dy;
        if (px * px + py * py <= r2) return true;
    }
    return false;
}

// Faces of a city model: each is written on its own, split when it has too many corners.
void writeFaces(const RawGroup& group, Writer& out, ImportSummary& summary) {
    for (const RawFace& face : group.faces) {
        const auto placement = placementOf(face.ring);
        const Ring ring = placement ? toLocal(face.ring, *placement) : Ring{};
        if (!placement || degenerate(ring)) {
            ++summary.dropped;
            continue;
        }
        const FaceKind kind = kindOfTilt(face.kind, placement->elevation);
        for (const Ring& piece : convexPieces(signedArea(ring) < 0 ? Ring(ring.rbegin(), ring.rend()) : ring)) {
            if (!degenerate(piece)) out.add(kind, *placement, piece);
        }
    }
}

// Triangles of a mesh: grouped by plane, merged, then split as above.
void writeMesh(const RawGroup& group, Writer& out, ImportSummary& summary) {
    struct Plane {
        Placement placement;
        FaceKind kind = FaceKind::Unknown;
        std::vector<const RawFace*> faces;
    };
    std::map<std::tuple<long long, long long, long long>, Plane> planes;
    std::vector<std::tuple<long long, long long, long long>> order;
    for (const RawFace& face : group.faces) {
        const auto placement = placementOf(face.ring);
        if (!placement || degenerate(toLocal(face.ring, *placement))) {
            ++summary.dropped;
            continue;
        }
        const double a = placement->azimuth / kDegreesPerRadian;
        const double e = placement->elevation / kDegreesPerRadian;
        const Vec3 n{std::sin(a) * std::cos(e), std::cos(a) * std::cos(e), std::sin(e)};
        const Vec3& p = face.ring.front();
        const double offset = n.x * p.x + n.y * p.y + n.z * p.z;
        const auto key = std::make_tuple(std::llround(placement->azimuth * 1000), std::llround(placement->elevation * 1000),
                                         std::llround(offset * 1000));
        auto [it, added] = planes.try_emplace(key);
        if (added) {
            it->second.placement = *placement;
            it->second.kind = kindOfTilt(face.kind, placement->elevation);
            order.push_back(key);
        }
        it->second.faces.push_back(&face);
    }
    for (const auto& key : order) {
        const Plane& plane = planes.at(key);
        std::vector<std::array<UV, 3>> triangles;
        std::vector<Ring> others;
        for (const RawFace* face : plane.faces) {
            const Ring ring = toLocal(face->ring, plane.placement);
            if (ring.size() == 3) {
                triangles.push_back({ring[0], ring[1], ring[2]});
            } else {
                others.push_back(ring);
            }
        }
        std::vector<Ring> pieces = mergeTriangles(triangles);
        for (const Ring& ring : others) {
            for (Ring& piece : convexPieces(signedArea(ring) < 0 ? Ring(ring.rbegin(), ring.rend()) : ring)) {
                pieces.push_back(std::move(piece));
            }
        }
        for (const Ring& piece : pieces) {
            if (!degenerate(piece)) out.add(plane.kind, plane.placement, piece);
        }
    }
}

// The mesh library's Collada reader appends the same index over and over when an index
// list (<p>, <h>, <v>, <vcount>) holds anything but whole numbers, until memory runs out;
// such a list is refused here, with its line, before the library sees the file.
void checkColladaIndexLists(const std::string& bytes, const std::string& path) {
    int line = 1;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') ++line;
        if (bytes[i] != '<') continue;
        std::size_t end = i + 1;
        while (end < bytes.size() && (std::isalnum(static_cast<unsigned char>(bytes[end])) || bytes[end] == '_')) ++end;
        const std::string_view name(bytes.data() + i + 1, end - i - 1);
        if (name != "p" && name != "h" && name != "v" && name != "vcount") continue;
        const std::size_t open = bytes.find('>', end);
        if (open == std::string::npos) return;  // the library says what is wrong with the rest
        for (std::size_t k = open + 1; k < bytes.size() && bytes[k] != '<'; ++k) {
            const char c = bytes[k];
            if (c == '\n') ++line;
            if (!std::isdigit(static_cast<unsigned char>(c)) && c != ' ' && c != '\t' && c != '\r' && c != '\n' &&
                c != '-' && c != '+') {
                throw InputError(path, line, {ErrorId::ModelIndexListNotNumbers, {std::string(name)}});
            }
            i = k;
        }
    }
}

RawModel readModel(const std::string& path, const ImportOptions& options, ModelFormat format, const std::string& ext) {
    const std::string bytes = readFileBytes(path);
    if (bytes.empty()) throw InputError(path, 0, {ErrorId::ModelEmpty});
    if (format == ModelFormat::CityGml) return readCityGml(bytes, path, options.scale, options.lod);
    if (format == ModelFormat::Dae) checkColladaIndexLists(bytes, path);
    bool zUp = format == ModelFormat::Stl || format == ModelFormat::Max3ds;
    if (options.up != UpAxis::Default) zUp = options.up == UpAxis::Z;
    // A file whose extension says its format is read from its place, so that the
    // files it refers to (a glTF's buffers, an OBJ's materials) are found.
    if (formatOfExtension(ext) == format) return readMeshFile(path, zUp, options.scale);
    return readMeshBytes(bytes, hintOf(format, ext), path, zUp, options.scale);
}

void checkOptions(const std::string& path, const ImportOptions& options) {
    auto refuse = [&](const char* option, double value) {
        throw InputError(path, 0, {ErrorId::ModelOptionRange, {option, formatFixed(value, 0, 3)}});
    };
    if (!(options.scale > 0) || !std::isfinite(options.scale)) refuse("--scale", options.scale);
    if (options.radius && (!(*options.radius > 0) || !std::isfinite(*options.radius))) refuse("--radius", *options.radius);
    if (options.lod < 0 || options.lod > 4) refuse("--lod", options.lod);
    if (options.origin) {
        const Vec3& o = *options.origin;
        if (!std::isfinite(o.x) || !std::isfinite(o.y) || !std::isfinite(o.z)) refuse("--origin", o.x);
    }
}

}  // namespace

std::optional<ModelFormat> modelFormatNamed(const std::string& word) {
    static const std::array<std::pair<const char*, ModelFormat>, 7> names{{{"auto", ModelFormat::Auto},
                                                                          {"citygml", ModelFormat::CityGml},
                                                                          {"obj", ModelFormat::Obj},
                                                                          {"gltf", ModelFormat::Gltf},
                                                                          {"dae", ModelFormat::Dae},
                                                                          {"stl", ModelFormat::Stl},
                                                                          {"3ds", ModelFormat::Max3ds}}};
    for (const auto& [name, format] : names) {
        if (word == name) return format;
    }
    return std::nullopt;
}

ImportResult importModel(const Lines& text, const std::string& modelPath, const ImportOptions& options) {
    const ObjectList list = readableList(text);
    checkOptions(modelPath, options);
    const std::string ext = lowerCaseExtension(modelPath);
    const ModelFormat format = options.format == ModelFormat::Auto ? formatOfExtension(ext) : options.format;
    if (format == ModelFormat::Auto) throw InputError(modelPath, 0, {ErrorId::ModelFormatUnknown, {ext}});
    RawModel model = readModel(modelPath, options, format, ext);

    // Where the project's origin lies in the model.
    Vec3 origin;
    if (options.origin) {
        origin = *options.origin;
    } else if (model.cityModel) {
        Vec3 low{std::numeric_limits<double>::max(), std::numeric_limits<double>::max(), std::numeric_limits<double>::max()};
        Vec3 high{-low.x, -low.y, -low.z};
        for (const RawGroup& g : model.groups) {
            for (const RawFace& f : g.faces) {
                for (const Vec3& p : f.ring) {
                    low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
                    high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
                }
            }
        }
        if (model.low && model.high) {
            low = *model.low;
            high = *model.high;
        }
        if (low.x <= high.x) origin = {(low.x + high.x) / 2, (low.y + high.y) / 2, low.z};
    }

    ImportResult result;
    ImportSummary& summary = result.summary;
    Writer writer(summary);
    int groupNumber = 0;
    for (RawGroup& group : model.groups) {
        std::vector<RawFace> kept;
        for (RawFace& face : group.faces) {
            for (Vec3& p : face.ring) p = {p.x - origin.x, p.y - origin.y, p.z - origin.z};
            if (options.radius && !withinRadius(face.ring, *options.radius)) {
                ++summary.outside;
                continue;
            }
            kept.push_back(std::move(face));
        }
        if (kept.empty()) continue;
        summary.faces += static_cast<int>(kept.size());
        group.faces = std::move(kept);
        const int before = summary.polygons;
        writer.startGroup(group, groupNumber + 1, model.cityModel);
        if (group.mesh) {
            writeMesh(group, writer, summary);
        } else {
            writeFaces(group, writer, summary);
        }
        if (summary.polygons > before) {
            ++groupNumber;
            ++summary.buildings;
        }
    }
    if (summary.polygons == 0) {
        if (options.radius && summary.outside > 0) {
            throw InputError(modelPath, 0, {ErrorId::ModelNothingWithin, {formatFixed(*options.radius, 0, 1)}});
        }
        throw InputError(modelPath, 0, {ErrorId::ModelNoFaces});
    }
    if (list.surfaceCount + summary.polygons > kMaxSurfaces) {
        throw InputError(modelPath, 0,
                         {ErrorId::ModelTooManySurfaces,
                          {formatInt(summary.polygons), formatInt(list.surfaceCount), formatInt(kMaxSurfaces)}});
    }
    // Appended as new last objects, before the trailing sections, as an add would.
    const auto at = static_cast<std::size_t>(list.object(list.ObjektAnzahl + 1).Zeile - 1);
    result.text.reserve(text.size() + writer.lines.size());
    result.text.assign(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(std::min(at, text.size())));
    result.text.insert(result.text.end(), writer.lines.begin(), writer.lines.end());
    if (at < text.size()) result.text.insert(result.text.end(), text.begin() + static_cast<std::ptrdiff_t>(at), text.end());
    result.text[static_cast<std::size_t>(list.countLine - 1)] = formatInt(list.surfaceCount + summary.polygons);
    return result;
}

std::string importSummaryText(const ImportSummary& s, Language language) {
    const bool de = language == Language::German;
    auto range = [](double a, double b) { return formatFixed(a + 0.0, 0, 3) + " .. " + formatFixed(b + 0.0, 0, 3); };
    std::string out;
    out += (de ? "Geb\xE4ude/Netze gelesen: " : "buildings/meshes read: ") + formatInt(s.buildings) + "\n";
    out += (de ? "Fl\xE4" "chen gelesen: " : "faces read: ") + formatInt(s.faces) + "\n";
    out += (de ? "Polygone geschrieben: " : "polygons written: ") + formatInt(s.polygons) + "\n";
    out += (de ? "Fl\xE4" "chen verworfen (entartet): " : "faces dropped (degenerate): ") + formatInt(s.dropped) + "\n";
    if (s.outside > 0) out += (de ? "Fl\xE4" "chen au\xDF" "erhalb des Umkreises: " : "faces outside the radius: ") + formatInt(s.outside) + "\n";
    if (s.polygons > 0) {
        out += (de ? "Ausdehnung x: " : "extent x: ") + range(s.low.x, s.high.x) + "\n";
        out += (de ? "Ausdehnung y: " : "extent y: ") + range(s.low.y, s.high.y) + "\n";
        out += (de ? "Ausdehnung z: " : "extent z: ") + range(s.low.z, s.high.z) + "\n";
    }
    return out;
}

}  // namespace penumbro
