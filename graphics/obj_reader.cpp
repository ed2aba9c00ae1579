#include "graphics/obj_reader.h"

#include <cstring>
#include <new>

#include "graphics/obj_text.h"

namespace {

const int32_t kAbsent = -1;

// One corner of a face: indices into the file's position, texture and normal lists.
struct CornerKey {
    int32_t position, texcoord, normal;
    bool operator==(const CornerKey& o) const
    {
        return position == o.position && texcoord == o.texcoord && normal == o.normal;
    }
};

// Distinct corners by key, in an open-addressing table of vertex numbers (+1, 0 is empty).
class CornerTable {
public:
    // The vertex of `key`, a new one when it was not seen yet.
    uint32_t vertexOf(const CornerKey& key)
    {
        if (2 * (keys_.size() + 1) > slots_.size())
            grow();
        size_t slot = hash(key) & (slots_.size() - 1);
        while (uint32_t stored = slots_[slot]) {
            if (keys_[stored - 1] == key)
                return stored - 1;
            slot = (slot + 1) & (slots_.size() - 1);
        }
        keys_.push_back(key);
        slots_[slot] = uint32_t(keys_.size());
        return uint32_t(keys_.size() - 1);
    }
    const std::vector<CornerKey>& keys() const { return keys_; }

private:
    static size_t hash(const CornerKey& key)
    {
        uint64_t h = uint32_t(key.position) * 0x9E3779B97F4A7C15ull;
        h ^= (uint32_t(key.texcoord) + 0x632BE59BD9B4E019ull) * 0xC2B2AE3D27D4EB4Full;
        h ^= (uint32_t(key.normal) + 0x165667B19E3779F9ull) * 0x27D4EB2F165667C5ull;
        return size_t(h ^ (h >> 29));
    }
    void grow()
    {
        slots_.assign(slots_.empty() ? 1024 : 2 * slots_.size(), 0);
        for (size_t i = 0; i < keys_.size(); ++i) {
            size_t slot = hash(keys_[i]) & (slots_.size() - 1);
            while (slots_[slot])
                slot = (slot + 1) & (slots_.size() - 1);
            slots_[slot] = uint32_t(i + 1);
        }
    }
    std::vector<uint32_t> slots_;
    std::vector<CornerKey> keys_;
};

class ObjParser {
public:
    explicit ObjParser(ObjMesh& out) : out_(out) {}
    ObjReadResult read(const char* data, size_t size);

private:
    ObjReadStatus line(TextSpan rest);
    ObjReadStatus readFloats(TextSpan rest, int needed, int most, std::vector<float>& list);
    ObjReadStatus readFace(TextSpan rest);
    ObjReadStatus readCorner(TextSpan word, CornerKey& key) const;
    void startFace();
    void fillVertices();

    ObjMesh& out_;
    std::vector<float> positions_, texcoords_, normals_;   // the file's lists, 3, 2, 3 per entry
    CornerTable corners_;
    std::vector<uint32_t> faceCorners_;
    std::string object_, group_, materialName_;
    uint32_t material_ = 0;
    bool anyTexcoord_ = false;
    bool everyNormal_ = true;
};

// An index of the file (1-based, or negative from the end) as a position in a list of `count`.
bool resolve(TextSpan word, size_t count, int32_t& index)
{
    int32_t value;
    if (!readInteger(word, value) || value == 0)
        return false;
    const int64_t at = value > 0 ? int64_t(value) - 1 : int64_t(count) + value;
    if (at < 0 || at >= int64_t(count))
        return false;
    index = int32_t(at);
    return true;
}

ObjReadStatus ObjParser::readFloats(TextSpan rest, int needed, int most, std::vector<float>& list)
{
    float values[3] = {0, 0, 0};
    TextSpan word;
    int count = 0;
    for (; count < most && takeWord(rest, word); ++count)
        if (!readFloat(word, values[count]))
            return ObjReadStatus::Malformed;
    if (count < needed)
        return ObjReadStatus::Malformed;
    list.insert(list.end(), values, values + most);
    return ObjReadStatus::Ok;
}

ObjReadStatus ObjParser::readCorner(TextSpan word, CornerKey& key) const
{
    TextSpan parts[3];
    int part = 0;
    parts[0].begin = word.begin;
    for (const char* p = word.begin; p != word.end; ++p) {
        if (*p != '/')
            continue;
        parts[part].end = p;
        if (++part == 3)
            return ObjReadStatus::Malformed;
        parts[part].begin = p + 1;
    }
    parts[part].end = word.end;
    key = {kAbsent, kAbsent, kAbsent};
    if (!resolve(parts[0], positions_.size() / 3, key.position))
        return ObjReadStatus::BadIndex;
    if (part >= 1 && !parts[1].empty() && !resolve(parts[1], texcoords_.size() / 2, key.texcoord))
        return ObjReadStatus::BadIndex;
    if (part == 2 && !resolve(parts[2], normals_.size() / 3, key.normal))
        return ObjReadStatus::BadIndex;
    return ObjReadStatus::Ok;
}

// A material is made when the first face uses its name, so that every material has a face;
// faces before any usemtl share one unnamed material. A new object or group starts a run.
void ObjParser::startFace()
{
    std::vector<std::string>& names = out_.materialNames;
    if (names.empty() || names[material_] != materialName_) {
        material_ = 0;
        while (material_ < names.size() && names[material_] != materialName_)
            ++material_;
        if (material_ == names.size()) {
            MeshMaterial white;
            for (float& channel : white.diffuse)
                channel = 1;
            out_.mesh.materials.push_back(white);
            names.push_back(materialName_);
        }
    }
    const uint32_t face = out_.mesh.faceCount();
    if (out_.runs.empty() || out_.runs.back().object != object_ || out_.runs.back().group != group_)
        out_.runs.push_back({face, object_, group_});
}

ObjReadStatus ObjParser::readFace(TextSpan rest)
{
    faceCorners_.clear();
    TextSpan word;
    while (takeWord(rest, word)) {
        CornerKey key;
        const ObjReadStatus status = readCorner(word, key);
        if (status != ObjReadStatus::Ok)
            return status;
        anyTexcoord_ |= key.texcoord != kAbsent;
        everyNormal_ &= key.normal != kAbsent;
        faceCorners_.push_back(corners_.vertexOf(key));
    }
    if (faceCorners_.size() < 3)
        return ObjReadStatus::Malformed;
    startFace();
    for (size_t i = 1; i + 1 < faceCorners_.size(); ++i) {
        const uint32_t triangle[3] = {faceCorners_[0], faceCorners_[i + 1], faceCorners_[i]};
        out_.mesh.indices.insert(out_.mesh.indices.end(), triangle, triangle + 3);
        out_.mesh.attributes.push_back(material_);
    }
    return ObjReadStatus::Ok;
}

ObjReadStatus ObjParser::line(TextSpan rest)
{
    TextSpan keyword;
    if (!takeWord(rest, keyword))
        return ObjReadStatus::Ok;
    if (keyword.is("v"))
        return readFloats(rest, 3, 3, positions_);
    if (keyword.is("vt"))
        return readFloats(rest, 1, 2, texcoords_);
    if (keyword.is("vn"))
        return readFloats(rest, 3, 3, normals_);
    if (keyword.is("f"))
        return readFace(rest);
    if (keyword.is("o"))
        object_ = trimmed(rest).text();
    else if (keyword.is("g"))
        group_ = trimmed(rest).text();
    else if (keyword.is("usemtl"))
        materialName_ = trimmed(rest).text();
    else if (keyword.is("mtllib") && out_.materialLibrary.empty())
        out_.materialLibrary = trimmed(rest).text();
    return ObjReadStatus::Ok;
}

void ObjParser::fillVertices()
{
    MeshContent& mesh = out_.mesh;
    const std::vector<CornerKey>& keys = corners_.keys();
    mesh.positions.resize(keys.size() * 3);
    if (anyTexcoord_)
        mesh.texcoords.assign(keys.size() * 2, 0.0f);
    if (everyNormal_)
        mesh.normals.resize(keys.size() * 3);
    for (size_t v = 0; v < keys.size(); ++v) {
        const CornerKey& key = keys[v];
        std::memcpy(&mesh.positions[3 * v], &positions_[3 * size_t(key.position)], 12);
        mesh.positions[3 * v + 2] = -mesh.positions[3 * v + 2];
        if (anyTexcoord_ && key.texcoord != kAbsent) {
            mesh.texcoords[2 * v] = texcoords_[2 * size_t(key.texcoord)];
            mesh.texcoords[2 * v + 1] = 1.0f - texcoords_[2 * size_t(key.texcoord) + 1];
        }
        if (everyNormal_) {
            std::memcpy(&mesh.normals[3 * v], &normals_[3 * size_t(key.normal)], 12);
            mesh.normals[3 * v + 2] = -mesh.normals[3 * v + 2];
        }
    }
}

ObjReadResult ObjParser::read(const char* data, size_t size)
{
    ObjReadResult result;
    TextLines lines(data, size);
    TextSpan text;
    while (lines.next(text)) {
        result.status = line(text);
        if (result.status != ObjReadStatus::Ok) {
            result.line = lines.number();
            return result;
        }
    }
    result.vertexCount = uint32_t(corners_.keys().size());
    if (out_.mesh.indices.empty())
        result.status = ObjReadStatus::NoFaces;
    else if (result.vertexCount > kObjMaxVertices)
        result.status = ObjReadStatus::TooManyVertices;
    else
        fillVertices();
    return result;
}

} // namespace

ObjReadResult readObj(const char* data, size_t size, ObjMesh& out)
{
    out = ObjMesh();
    ObjReadResult result;
    try {
        result = ObjParser(out).read(data, size);
    } catch (const std::bad_alloc&) {
        result.status = ObjReadStatus::OutOfMemory;
    }
    if (result.status != ObjReadStatus::Ok)
        out = ObjMesh();
    return result;
}

std::string objReadMessage(const ObjReadResult& result)
{
    const std::string line = " (line " + std::to_string(result.line) + ")";
    switch (result.status) {
    case ObjReadStatus::Ok: return "";
    case ObjReadStatus::Malformed:
        return "Error: Could not open file. The OBJ file has a number that is no number, or a "
               "face of fewer than three corners" + line + ".";
    case ObjReadStatus::BadIndex:
        return "Error: Could not open file. A face of the OBJ file names a vertex, texture "
               "coordinate or normal that is not there" + line + ".";
    case ObjReadStatus::NoFaces:
        return "Error: Could not open file. The OBJ file has no faces.";
    case ObjReadStatus::TooManyVertices:
        return "Error: Could not open file. The mesh has " + std::to_string(result.vertexCount) +
               " vertices (distinct position, texture coordinate and normal corners); the "
               "editor holds at most 65535.";
    case ObjReadStatus::OutOfMemory:
        return "Error: Could not open file. There is not enough memory for the OBJ file.";
    }
    return "";
}
