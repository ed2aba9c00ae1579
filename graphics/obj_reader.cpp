#include "graphics/obj_reader.h"

#include <algorithm>
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
// Faces name nearby positions one after another, so the table starts with each position's
// place at twice its number: look-ups then stay in memory the processor has at hand, where a
// spread-out place for each would miss its cache for nearly every new vertex. A file whose
// corners crowd one place (many corners on one position) makes the table spread them by a
// hash of the whole key instead.
class CornerTable {
public:
    // Room for the corners a file of `bytes` may hold without growing, within reason.
    void reserveFor(size_t bytes)
    {
        size_t slots = 1024;
        while (slots < bytes / 48 && slots < kMostReserved)
            slots *= 2;
        rebuild(slots);
    }
    // The vertex of `key`, a new one when it was not seen yet.
    uint32_t vertexOf(const CornerKey& key)
    {
        if (2 * (keys_.size() + 1) > slots_.size())
            rebuild(slots_.empty() ? 1024 : 2 * slots_.size());
        size_t slot = placeOf(key);
        for (size_t probes = 0; uint32_t stored = slots_[slot]; ++probes) {
            if (keys_[stored - 1] == key)
                return stored - 1;
            if (probes == kCrowded && !spread_) {
                spread_ = true;
                rebuild(slots_.size());
                return vertexOf(key);
            }
            slot = (slot + 1) & (slots_.size() - 1);
        }
        keys_.push_back(key);
        slots_[slot] = uint32_t(keys_.size());
        return uint32_t(keys_.size() - 1);
    }
    const std::vector<CornerKey>& keys() const { return keys_; }

private:
    // Twice the vertices the editor holds: a file that reaches it never grows the table.
    static constexpr size_t kMostReserved = size_t(1) << 17;
    // Places tried before a look-up by position counts as crowded.
    static constexpr size_t kCrowded = 32;

    size_t placeOf(const CornerKey& key) const
    {
        if (!spread_)
            return (size_t(uint32_t(key.position)) * 2) & (slots_.size() - 1);
        uint64_t h = uint32_t(key.position) * 0x9E3779B97F4A7C15ull;
        h ^= (uint32_t(key.texcoord) + 0x632BE59BD9B4E019ull) * 0xC2B2AE3D27D4EB4Full;
        h ^= (uint32_t(key.normal) + 0x165667B19E3779F9ull) * 0x27D4EB2F165667C5ull;
        return size_t(h ^ (h >> 29)) & (slots_.size() - 1);
    }
    void rebuild(size_t slotCount)
    {
        slots_.assign(slotCount, 0);
        for (size_t i = 0; i < keys_.size(); ++i) {
            size_t slot = placeOf(keys_[i]);
            for (size_t probes = 0; slots_[slot]; ++probes) {
                if (probes == kCrowded && !spread_) {
                    spread_ = true;
                    rebuild(slotCount);
                    return;
                }
                slot = (slot + 1) & (slots_.size() - 1);
            }
            slots_[slot] = uint32_t(i + 1);
        }
    }
    std::vector<uint32_t> slots_;
    std::vector<CornerKey> keys_;
    bool spread_ = false;
};

class ObjParser {
public:
    explicit ObjParser(ObjMesh& out) : out_(out) {}
    ObjReadResult read(const char* data, size_t size);

private:
    ObjReadStatus line(TextSpan rest);
    ObjReadStatus readFloats(TextSpan rest, int needed, int most, std::vector<float>& list);
    ObjReadStatus readFace(TextSpan rest);
    ObjReadStatus readCorner(TextSpan& rest, CornerKey& key) const;
    bool takeCorner(const char*& at, const char* end, CornerKey& key) const;
    void startFace();
    void fillVertices();

    ObjMesh& out_;
    std::vector<float> positions_, texcoords_, normals_;   // the file's lists, 3, 2, 3 per entry
    CornerTable corners_;
    std::vector<uint32_t> faceCorners_;
    std::string object_, group_, materialName_;
    bool runNamed_ = true, materialNamed_ = true;   // o, g or usemtl since the last face
    uint32_t material_ = 0;
    bool anyTexcoord_ = false;
    bool everyNormal_ = true;
};

// An index of the file (1-based, or negative from the end) at `at` as a position in a list of
// `count`; `at` moves past it.
bool resolve(const char*& at, const char* end, size_t count, int32_t& index)
{
    int32_t value;
    if (!takeInteger(at, end, value) || value == 0)
        return false;
    const int64_t found = value > 0 ? int64_t(value) - 1 : int64_t(count) + value;
    if (found < 0 || found >= int64_t(count))
        return false;
    index = int32_t(found);
    return true;
}

ObjReadStatus ObjParser::readFloats(TextSpan rest, int needed, int most, std::vector<float>& list)
{
    float values[3] = {0, 0, 0};
    int count = 0;
    for (bool present = true; count < most; ++count)
        if (!takeFloat(rest, values[count], present)) {
            if (present)
                return ObjReadStatus::Malformed;
            break;
        }
    if (count < needed)
        return ObjReadStatus::Malformed;
    list.insert(list.end(), values, values + most);
    return ObjReadStatus::Ok;
}

// position[/[texcoord][/normal]] at `at`, which it moves past the corner.
bool ObjParser::takeCorner(const char*& at, const char* end, CornerKey& key) const
{
    if (!resolve(at, end, positions_.size() / 3, key.position))
        return false;
    if (at == end || *at != '/')
        return true;
    ++at;
    if (at != end && *at != '/' && !isBlank(*at) &&
        !resolve(at, end, texcoords_.size() / 2, key.texcoord))
        return false;
    if (at == end || *at != '/')
        return true;
    ++at;
    return resolve(at, end, normals_.size() / 3, key.normal);
}

// Takes the corner at the front of `rest` (no blank there) off it.
ObjReadStatus ObjParser::readCorner(TextSpan& rest, CornerKey& key) const
{
    key = {kAbsent, kAbsent, kAbsent};
    const char* at = rest.begin;
    if (takeCorner(at, rest.end, key) && (at == rest.end || isBlank(*at))) {
        rest.begin = at;
        return ObjReadStatus::Ok;
    }
    TextSpan word;
    takeWord(rest, word);
    return std::count(word.begin, word.end, '/') > 2 ? ObjReadStatus::Malformed
                                                     : ObjReadStatus::BadIndex;
}

// A material is made when the first face uses its name, so that every material has a face;
// faces before any usemtl share one unnamed material. A new object or group starts a run.
void ObjParser::startFace()
{
    std::vector<std::string>& names = out_.materialNames;
    if (materialNamed_ && (names.empty() || names[material_] != materialName_)) {
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
    if (runNamed_ && (out_.runs.empty() || out_.runs.back().object != object_ ||
                      out_.runs.back().group != group_))
        out_.runs.push_back({face, object_, group_});
    runNamed_ = materialNamed_ = false;
}

ObjReadStatus ObjParser::readFace(TextSpan rest)
{
    faceCorners_.clear();
    while (skipBlanks(rest)) {
        CornerKey key;
        const ObjReadStatus status = readCorner(rest, key);
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
    if (keyword.is("o")) {
        object_ = trimmed(rest).text();
        runNamed_ = true;
    } else if (keyword.is("g")) {
        group_ = trimmed(rest).text();
        runNamed_ = true;
    } else if (keyword.is("usemtl")) {
        materialName_ = trimmed(rest).text();
        materialNamed_ = true;
    }
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
    corners_.reserveFor(size);
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
