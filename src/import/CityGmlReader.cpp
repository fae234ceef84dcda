// City models through libcitygml: buildings' boundary surfaces (LoD2) and solids or
// multi-surfaces (LoD1), outer rings only, so windows and doors are filled.

#include "import/ModelFaces.h"

#include "project/InputError.h"

#include <citygml/citygml.h>
#include <citygml/citygmllogger.h>
#include <citygml/citymodel.h>
#include <citygml/cityobject.h>
#include <citygml/envelope.h>
#include <citygml/geometry.h>
#include <citygml/linearring.h>
#include <citygml/polygon.h>

#include <algorithm>
#include <map>
#include <sstream>

namespace penumbro {

namespace {

// The library logs through this; its warnings are of no use to the user and its
// errors end in an exception or an empty model, which are reported instead.
class SilentLogger final : public citygml::CityGMLLogger {
public:
    SilentLogger() : CityGMLLogger(LOGLEVEL::LL_ERROR) {}
    void log(LOGLEVEL, const std::string&, const char*, int) const override {}
};

using Type = citygml::CityObject::CityObjectsType;

FaceKind kindOfObject(Type type) {
    switch (type) {
        case Type::COT_WallSurface: return FaceKind::Wall;
        case Type::COT_RoofSurface: return FaceKind::Roof;
        case Type::COT_GroundSurface: return FaceKind::Ground;
        case Type::COT_ClosureSurface:
        case Type::COT_OuterCeilingSurface:
        case Type::COT_OuterFloorSurface: return FaceKind::Other;
        default: return FaceKind::Unknown;
    }
}

FaceKind kindOfGeometry(citygml::Geometry::GeometryType type, FaceKind inherited) {
    using G = citygml::Geometry::GeometryType;
    switch (type) {
        case G::GT_Wall: return FaceKind::Wall;
        case G::GT_Roof: return FaceKind::Roof;
        case G::GT_Ground: return FaceKind::Ground;
        default: return inherited;
    }
}

struct LodFace {
    unsigned lod;
    RawFace face;
};

void collectGeometry(const citygml::Geometry& g, unsigned lod, FaceKind kind, double scale,
                     std::vector<LodFace>& out) {
    const unsigned here = g.getLOD() != 0 ? g.getLOD() : lod;
    const FaceKind k = kindOfGeometry(g.getType(), kind);
    for (unsigned i = 0; i < g.getPolygonsCount(); ++i) {
        const auto polygon = g.getPolygon(i);
        if (!polygon || !polygon->exteriorRing()) continue;
        RawFace face;
        face.kind = k;
        for (const auto& p : polygon->exteriorRing()->getVertices()) face.ring.push_back({p.x * scale, p.y * scale, p.z * scale});
        // A closed ring repeats its first point.
        if (face.ring.size() > 1) {
            const Vec3& a = face.ring.front();
            const Vec3& b = face.ring.back();
            if (a.x == b.x && a.y == b.y && a.z == b.z) face.ring.pop_back();
        }
        out.push_back({here, std::move(face)});
    }
    for (unsigned i = 0; i < g.getGeometriesCount(); ++i) collectGeometry(g.getGeometry(i), here, k, scale, out);
}

// A building's faces with their levels of detail; boundary surfaces and building
// parts are its children.
void collectObject(const citygml::CityObject& o, FaceKind kind, double scale, std::vector<LodFace>& out) {
    const FaceKind k = kindOfObject(o.getType()) != FaceKind::Unknown ? kindOfObject(o.getType()) : kind;
    for (unsigned i = 0; i < o.getGeometriesCount(); ++i) collectGeometry(o.getGeometry(i), 0, k, scale, out);
    for (unsigned i = 0; i < o.getChildCityObjectsCount(); ++i) {
        const auto& child = o.getChildCityObject(i);
        // Openings are filled: a building is opaque.
        if (child.getType() == Type::COT_Window || child.getType() == Type::COT_Door) continue;
        collectObject(child, k, scale, out);
    }
}

}  // namespace

RawModel readCityGml(const std::string& bytes, const std::string& name, double scale, int lod) {
    citygml::ParserParams params;
    params.tesselate = false;
    params.keepVertices = true;
    std::shared_ptr<const citygml::CityModel> city;
    try {
        std::istringstream stream(bytes);
        city = citygml::load(stream, params, std::make_shared<SilentLogger>());
    } catch (...) {
        // The XML parser's own exception type is not part of the library's interface.
        city = nullptr;
    }
    if (!city) throw InputError(name, 0, {ErrorId::ModelUnreadable, {"CityGML"}});

    RawModel model;
    model.cityModel = true;
    const citygml::Envelope& env = city->getEnvelope();
    if (env.validBounds()) {
        const auto& lo = env.getLowerBound();
        const auto& hi = env.getUpperBound();
        model.low = Vec3{lo.x * scale, lo.y * scale, lo.z * scale};
        model.high = Vec3{hi.x * scale, hi.y * scale, hi.z * scale};
    }
    for (const citygml::CityObject* root : city->getRootCityObjects()) {
        if (!root) continue;
        const Type t = root->getType();
        if (t != Type::COT_Building && t != Type::COT_BuildingPart && t != Type::COT_Bridge &&
            t != Type::COT_GenericCityObject)
            continue;
        std::vector<LodFace> faces;
        collectObject(*root, FaceKind::Unknown, scale, faces);
        if (faces.empty()) continue;
        unsigned chosen = 0;
        if (lod > 0) {
            chosen = static_cast<unsigned>(lod);
        } else {
            for (const auto& f : faces) chosen = std::max(chosen, f.lod);
        }
        RawGroup group;
        group.name = root->getId();
        // The library makes up ids for objects without one; those say nothing.
        if (group.name.rfind("PtrId_", 0) == 0) group.name.clear();
        for (auto& f : faces) {
            if (f.lod != chosen) continue;
            group.faces.push_back(std::move(f.face));
        }
        if (!group.faces.empty()) model.groups.push_back(std::move(group));
    }
    return model;
}

}  // namespace penumbro
