#include "graphics/obj_writer.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <unordered_map>

namespace {

// Numbers of equal tuples of floats (compared by their bits), counted from 1 as OBJ does.
class TupleNumbers {
public:
    TupleNumbers(std::string& text, const char* keyword, int width)
        : text_(text), keyword_(keyword), width_(width) {}
    // The number of the tuple at `values`, written as a new line when it is new.
    uint32_t numberOf(const float* values)
    {
        std::string key(reinterpret_cast<const char*>(values), size_t(width_) * 4);
        auto found = numbers_.emplace(std::move(key), uint32_t(numbers_.size() + 1));
        if (found.second) {
            char line[96];
            int length = std::snprintf(line, sizeof(line), "%s", keyword_);
            for (int i = 0; i < width_; ++i)
                length += std::snprintf(line + length, sizeof(line) - size_t(length), " %.9g",
                                        double(values[i]));
            text_.append(line, size_t(length)).push_back('\n');
        }
        return found.first->second;
    }

private:
    std::string& text_;
    const char* keyword_;
    int width_;
    std::unordered_map<std::string, uint32_t> numbers_;
};

struct CornerNumbers {
    uint32_t position = 0, texcoord = 0, normal = 0;
};

std::vector<CornerNumbers> writeVertices(const MeshContent& mesh, std::string& text)
{
    TupleNumbers positions(text, "v", 3), texcoords(text, "vt", 2), normals(text, "vn", 3);
    std::vector<CornerNumbers> numbers(mesh.vertexCount());
    // Right-handed again: z negated (here) and the winding reversed (by the faces' writer).
    auto rightHanded = [](const float* xyz) {
        return std::array<float, 3>{xyz[0], xyz[1], -xyz[2]};
    };
    for (uint32_t v = 0; v < mesh.vertexCount(); ++v)
        numbers[v].position = positions.numberOf(rightHanded(&mesh.positions[3 * size_t(v)]).data());
    if (!mesh.texcoords.empty())
        for (uint32_t v = 0; v < mesh.vertexCount(); ++v) {
            const float uv[2] = {mesh.texcoords[2 * size_t(v)], 1.0f - mesh.texcoords[2 * size_t(v) + 1]};
            numbers[v].texcoord = texcoords.numberOf(uv);
        }
    if (!mesh.normals.empty())
        for (uint32_t v = 0; v < mesh.vertexCount(); ++v)
            numbers[v].normal = normals.numberOf(rightHanded(&mesh.normals[3 * size_t(v)]).data());
    return numbers;
}

void writeCorner(const CornerNumbers& corner, std::string& text)
{
    char word[40];
    int length = std::snprintf(word, sizeof(word), " %u", corner.position);
    if (corner.texcoord || corner.normal)
        length += std::snprintf(word + length, sizeof(word) - size_t(length), "/");
    if (corner.texcoord)
        length += std::snprintf(word + length, sizeof(word) - size_t(length), "%u", corner.texcoord);
    if (corner.normal)
        length += std::snprintf(word + length, sizeof(word) - size_t(length), "/%u", corner.normal);
    text.append(word, size_t(length));
}

void writeColour(std::string& text, const char* keyword, const float* rgb)
{
    char line[96];
    std::snprintf(line, sizeof(line), "%s %.6g %.6g %.6g\n", keyword, double(rgb[0]),
                  double(rgb[1]), double(rgb[2]));
    text += line;
}

} // namespace

std::string writeObj(const ObjMesh& obj)
{
    const MeshContent& mesh = obj.mesh;
    std::string text = "# Mapwell\n";
    if (!obj.materialLibrary.empty())
        text += "mtllib " + obj.materialLibrary + "\n";
    const std::vector<CornerNumbers> corners = writeVertices(mesh, text);

    size_t run = 0;
    const ObjFaceRun* current = nullptr;
    uint32_t material = UINT32_MAX;
    for (uint32_t f = 0; f < mesh.faceCount(); ++f) {
        for (; run < obj.runs.size() && obj.runs[run].firstFace <= f; ++run) {
            const ObjFaceRun& next = obj.runs[run];
            if (!next.object.empty() && (!current || current->object != next.object))
                text += "o " + next.object + "\n";
            if (!next.group.empty())
                text += "g " + next.group + "\n";
            current = &next;
        }
        const uint32_t attribute = f < mesh.attributes.size() ? mesh.attributes[f] : 0;
        // Faces before any usemtl take the unnamed material, so it needs its bare usemtl only
        // when it follows a named one.
        if (attribute != material && attribute < obj.materialNames.size()) {
            const std::string& name = obj.materialNames[attribute];
            if (!name.empty())
                text += "usemtl " + name + "\n";
            else if (material != UINT32_MAX)
                text += "usemtl\n";
        }
        material = attribute;
        text += "f";
        for (int c : {0, 2, 1})
            writeCorner(corners[mesh.indices[3 * size_t(f) + size_t(c)]], text);
        text += "\n";
    }
    return text;
}

std::string writeMtl(const ObjMesh& obj)
{
    std::string text = "# Mapwell\n";
    for (size_t i = 0; i < obj.materialNames.size() && i < obj.mesh.materials.size(); ++i) {
        if (obj.materialNames[i].empty())
            continue;
        const MeshMaterial& material = obj.mesh.materials[i];
        text += "newmtl " + obj.materialNames[i] + "\n";
        writeColour(text, "Kd", material.diffuse);
        writeColour(text, "Ks", material.specular);
        writeColour(text, "Ke", material.emissive);
        char line[64];
        std::snprintf(line, sizeof(line), "Ns %.6g\nd %.6g\n", double(material.power),
                      double(material.diffuse[3]));
        text += line;
        if (!material.textureFile.empty())
            text += "map_Kd " + material.textureFile + "\n";
        text += "\n";
    }
    return text;
}
