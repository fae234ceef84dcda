// Mesh models through assimp: every mesh instance of the node tree, its node
// transforms applied, triangulated.

#include "import/ModelFaces.h"

#include "project/Encoding.h"
#include "project/FileIo.h"
#include "project/InputError.h"

#include <assimp/Importer.hpp>
#include <assimp/MemoryIOWrapper.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <cctype>
#include <string_view>

namespace penumbro {

namespace {

constexpr unsigned kSteps = aiProcess_Triangulate | aiProcess_JoinIdenticalVertices | aiProcess_ValidateDataStructure;

// The line number in a reader's message ("... line 12 ..."), 0 when it names none.
int lineIn(std::string_view message) {
    for (std::size_t at = message.find("line"); at != std::string_view::npos; at = message.find("line", at + 1)) {
        std::size_t i = at + 4;
        while (i < message.size() && (message[i] == ' ' || message[i] == ':')) ++i;
        int n = 0;
        std::size_t digits = 0;
        while (i < message.size() && std::isdigit(static_cast<unsigned char>(message[i])) && digits < 9) {
            n = n * 10 + (message[i] - '0');
            ++i;
            ++digits;
        }
        if (digits > 0) return n;
    }
    return 0;
}

[[noreturn]] void refuse(const std::string& name, const Assimp::Importer& importer) {
    std::string why = importer.GetErrorString();
    // A model read from memory is named by a placeholder of the library's own.
    const std::string placeholder = AI_MEMORYIO_MAGIC_FILENAME;
    if (const auto at = why.find(placeholder); at != std::string::npos) {
        const auto end = why.find_first_of(" \t\n", at);
        why.replace(at, end == std::string::npos ? std::string::npos : end - at, fileNameOf(name));
    }
    throw InputError(name, lineIn(why), {ErrorId::ModelMeshUnreadable, {utf8ToCp1252(why)}});
}

struct Walker {
    const aiScene& scene;
    bool zUp;
    double scale;
    RawModel& model;

    Vec3 toWorld(const aiVector3D& p) const {
        const double x = p.x * scale;
        const double y = p.y * scale;
        const double z = p.z * scale;
        // y-up files have north toward -z.
        return zUp ? Vec3{x, y, z} : Vec3{x, -z, y};
    }

    void visit(const aiNode& node, const aiMatrix4x4& parent) {
        const aiMatrix4x4 m = parent * node.mTransformation;
        for (unsigned k = 0; k < node.mNumMeshes; ++k) {
            if (node.mMeshes[k] >= scene.mNumMeshes) continue;
            const aiMesh& mesh = *scene.mMeshes[node.mMeshes[k]];
            RawGroup group;
            group.mesh = true;
            group.name = mesh.mName.length > 0 ? mesh.mName.C_Str() : node.mName.C_Str();
            // The OBJ reader's name for a file without objects says nothing.
            if (group.name == "defaultobject") group.name.clear();
            std::vector<Vec3> points;
            points.reserve(mesh.mNumVertices);
            for (unsigned v = 0; v < mesh.mNumVertices; ++v) points.push_back(toWorld(m * mesh.mVertices[v]));
            for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
                const aiFace& face = mesh.mFaces[f];
                if (face.mNumIndices < 3) continue;  // points and lines are no surfaces
                RawFace raw;
                for (unsigned i = 0; i < face.mNumIndices; ++i) {
                    if (face.mIndices[i] < points.size()) raw.ring.push_back(points[face.mIndices[i]]);
                }
                group.faces.push_back(std::move(raw));
            }
            if (!group.faces.empty()) model.groups.push_back(std::move(group));
        }
        for (unsigned c = 0; c < node.mNumChildren; ++c) {
            if (node.mChildren[c]) visit(*node.mChildren[c], m);
        }
    }
};

RawModel walk(const aiScene* scene, bool zUp, double scale) {
    RawModel model;
    if (scene && scene->mRootNode) {
        Walker walker{*scene, zUp, scale, model};
        walker.visit(*scene->mRootNode, aiMatrix4x4());
    }
    return model;
}

}  // namespace

RawModel readMeshFile(const std::string& path, bool zUp, double scale) {
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(path, kSteps);
    if (!scene || (scene->mFlags & AI_SCENE_FLAGS_INCOMPLETE)) refuse(path, importer);
    return walk(scene, zUp, scale);
}

RawModel readMeshBytes(const std::string& bytes, const std::string& extension, const std::string& name, bool zUp,
                       double scale) {
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFileFromMemory(bytes.data(), bytes.size(), kSteps, extension.c_str());
    if (!scene || (scene->mFlags & AI_SCENE_FLAGS_INCOMPLETE)) refuse(name, importer);
    return walk(scene, zUp, scale);
}

}  // namespace penumbro
