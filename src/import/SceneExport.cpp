// The project's surfaces as a glTF 2.0 scene, written by assimp's exporter.

#include "import/ModelImport.h"

#include "import/FaceGeometry.h"
#include "project/Encoding.h"
#include "project/FileIo.h"
#include "project/InputError.h"
#include "project/ProjectFormat.h"

#include <assimp/Exporter.hpp>
#include <assimp/material.h>
#include <assimp/scene.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <memory>
#include <tuple>

namespace penumbro {

namespace {

struct Colour {
    float r, g, b;
    bool operator<(const Colour& o) const { return std::tie(r, g, b) < std::tie(o.r, o.g, o.b); }
};

// The colours of the VRML world.
constexpr Colour kTargetBlue{0, 0, 1};
constexpr Colour kGrey{0.6f, 0.6f, 0.6f};
constexpr Colour kDarkRed{0.6f, 0, 0};
constexpr Colour kCrown{0, 0.7f, 0};
constexpr Colour kTrunk{0.7f, 0.3f, 0.3f};
constexpr Colour kHouseWall{0.8f, 0.8f, 0.8f};
constexpr Colour kGable{0.5f, 0.5f, 0.5f};
constexpr Colour kRoof{0.9f, 0.5f, 0.5f};

// A plain surface by its elevation: near vertical or horizontal grey, else dark red.
Colour plainColour(double elevation) {
    const long r = std::lround(std::abs(elevation)) % 90;
    return (r < 20 || r > 70) ? kGrey : kDarkRed;
}

Colour colourOf(const Lines& text, const ProjectScan& scan, const ObjectRecord& object, int k) {
    if (object.kind == ObjectKind::Tree) return k < 4 ? kCrown : kTrunk;
    if (object.kind == ObjectKind::House) return k < 4 ? kHouseWall : (k == 4 ? kGable : kRoof);
    const SurfaceRecord& s = scan.surfaces[object.firstSurface];
    if (s.target) return kTargetBlue;
    // The placement line follows the corners' local lines.
    const std::size_t n = s.vertices.size();
    if (s.hashLines.size() > n) {
        if (auto numbers = readLineNumbers(text[s.hashLines[n]], 2)) return plainColour((*numbers)[1]);
    }
    // A hand-written surface: its normal's elevation.
    std::vector<Vec3> ring;
    for (const auto& p : s.vertices) ring.push_back({p[0], p[1], p[2]});
    const auto placement = placementOf(ring);
    return plainColour(placement ? placement->elevation : 0.0);
}

aiMesh* meshOf(const SurfaceRecord& s, unsigned material, const std::string& name) {
    std::vector<Vec3> ring;
    for (const auto& p : s.vertices) ring.push_back({p[0], p[1], p[2]});
    const auto placement = placementOf(ring);
    if (!placement) return nullptr;
    const auto triangles = triangulateRing(toLocal(ring, *placement));
    if (triangles.empty()) return nullptr;
    auto mesh = std::make_unique<aiMesh>();
    mesh->mName = aiString(name);
    mesh->mMaterialIndex = material;
    mesh->mPrimitiveTypes = aiPrimitiveType_TRIANGLE;
    mesh->mNumVertices = static_cast<unsigned>(ring.size());
    mesh->mVertices = new aiVector3D[ring.size()];
    for (std::size_t i = 0; i < ring.size(); ++i) {
        // glTF: +Y up, north toward -Z.
        mesh->mVertices[i] = aiVector3D(static_cast<ai_real>(ring[i].x), static_cast<ai_real>(ring[i].z),
                                        static_cast<ai_real>(-ring[i].y));
    }
    mesh->mNumFaces = static_cast<unsigned>(triangles.size());
    mesh->mFaces = new aiFace[triangles.size()];
    for (std::size_t f = 0; f < triangles.size(); ++f) {
        aiFace& face = mesh->mFaces[f];
        face.mNumIndices = 3;
        face.mIndices = new unsigned[3];
        for (int c = 0; c < 3; ++c) face.mIndices[c] = static_cast<unsigned>(triangles[f][static_cast<std::size_t>(c)]);
    }
    return mesh.release();
}

aiMaterial* materialOf(const Colour& c) {
    auto* m = new aiMaterial();
    const aiColor4D colour(c.r, c.g, c.b, 1.0f);
    m->AddProperty(&colour, 1, AI_MATKEY_COLOR_DIFFUSE);
    m->AddProperty(&colour, 1, AI_MATKEY_BASE_COLOR);
    const int twoSided = 1;  // the surfaces have no back: both sides are drawn, as in the VRML world
    m->AddProperty(&twoSided, 1, AI_MATKEY_TWOSIDED);
    return m;
}

}  // namespace

void exportSceneGltf(const Lines& text, const std::string& projectName, const std::string& scenePath) {
    const ProjectScan scan = scanSoundProject(text, projectName);
    const std::string ext = lowerCaseExtension(scenePath);
    if (ext != "gltf" && ext != "glb") throw InputError(scenePath, 0, {ErrorId::ModelFormatUnknown, {ext}});

    std::map<Colour, unsigned> materials;
    std::vector<Colour> colours;
    // Owned here until the scene takes them, so a refusal frees them.
    std::vector<std::unique_ptr<aiMesh>> meshes;
    std::vector<std::unique_ptr<aiNode>> nodes;
    for (const ObjectRecord& object : scan.objects) {
        for (int k = 0; k < object.surfaceCount; ++k) {
            const SurfaceRecord& s = scan.surfaces[object.firstSurface + static_cast<std::size_t>(k)];
            const Colour c = colourOf(text, scan, object, k);
            auto [it, added] = materials.emplace(c, static_cast<unsigned>(colours.size()));
            if (added) colours.push_back(c);
            const std::string name = cp1252ToUtf8(text[s.nameLine]);
            std::unique_ptr<aiMesh> mesh(meshOf(s, it->second, name));
            if (!mesh) continue;
            auto node = std::make_unique<aiNode>(name);
            node->mNumMeshes = 1;
            node->mMeshes = new unsigned[1]{static_cast<unsigned>(meshes.size())};
            meshes.push_back(std::move(mesh));
            nodes.push_back(std::move(node));
        }
    }
    if (meshes.empty()) throw InputError(projectName, 0, {ErrorId::SceneNoSurfaces});
    auto scene = std::make_unique<aiScene>();
    scene->mRootNode = new aiNode("Penumbro");
    scene->mNumMeshes = static_cast<unsigned>(meshes.size());
    scene->mMeshes = new aiMesh*[meshes.size()];
    for (std::size_t i = 0; i < meshes.size(); ++i) scene->mMeshes[i] = meshes[i].release();
    scene->mNumMaterials = static_cast<unsigned>(colours.size());
    scene->mMaterials = new aiMaterial*[colours.size()];
    for (std::size_t i = 0; i < colours.size(); ++i) scene->mMaterials[i] = materialOf(colours[i]);
    scene->mRootNode->mNumChildren = static_cast<unsigned>(nodes.size());
    scene->mRootNode->mChildren = new aiNode*[nodes.size()];
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        nodes[i]->mParent = scene->mRootNode;
        scene->mRootNode->mChildren[i] = nodes[i].release();
    }

    // The blobs come back in memory and go to disk through temporary files: the
    // buffer file first, so the scene never refers to a missing one.
    std::string base = fileNameOf(scenePath);
    base = base.substr(0, base.rfind('.'));
    Assimp::Exporter exporter;
    Assimp::ExportProperties properties;
    properties.SetPropertyString(AI_CONFIG_EXPORT_BLOB_NAME, base);
    const aiExportDataBlob* blob = exporter.ExportToBlob(scene.get(), ext == "glb" ? "glb2" : "gltf2", 0, &properties);
    if (!blob) throw InputError(scenePath, 0, {ErrorId::SceneExportFailed, {utf8ToCp1252(exporter.GetErrorString())}});
    for (const aiExportDataBlob* extra = blob->next; extra; extra = extra->next) {
        const std::string name = directoryOf(scenePath) + std::string(extra->name.C_Str());
        writeFileAtomically(name, std::string(static_cast<const char*>(extra->data), extra->size));
    }
    writeFileAtomically(scenePath, std::string(static_cast<const char*>(blob->data), blob->size));
}

}  // namespace penumbro
