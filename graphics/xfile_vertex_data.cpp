#include "graphics/xfile_vertex_data.h"

#include <cmath>
#include <cstring>

namespace {

enum : uint32_t {
    DeclFloat2 = 1,
    DeclFloat3 = 2,
    DeclColor = 4,
    DeclTypeCount = 17,    // FLOAT1 .. FLOAT16_4
    UsageNormal = 3,
    UsageTexcoord = 5,
    UsageColor = 10,
    FvfNormal = 0x10,
    FvfPointSize = 0x20,
    FvfDiffuse = 0x40,
    FvfSpecular = 0x80
};

// Bytes of each Direct3D 9 declaration type, FLOAT1 .. FLOAT16_4.
constexpr uint32_t kDeclTypeBytes[DeclTypeCount] = {4, 8, 12, 16, 4, 4, 4, 8, 4, 4, 8, 4, 8, 4, 4, 4, 8};

constexpr uint32_t kNone = UINT32_MAX;

// Where the wanted channels sit in one vertex, in 32-bit words; kNone where absent.
struct ChannelOffsets {
    uint32_t normal = kNone;
    uint32_t texcoord = kNone;
    uint32_t color = kNone;
};

bool readDwords(XCursor& cursor, uint32_t count, std::vector<uint32_t>& words)
{
    words.resize(count);
    return cursor.readUInts(words.data(), count);
}

bool copyFloats(XCursor& cursor, const uint32_t* words, int count, std::vector<float>& out)
{
    for (int i = 0; i < count; ++i) {
        float value;
        std::memcpy(&value, &words[i], 4);
        if (!std::isfinite(value))
            return cursor.fail(XReadStatus::Malformed);
        out.push_back(value);
    }
    return true;
}

// Checks that `words` holds exactly one vertex of `wordsPerVertex` per mesh vertex, then
// copies the channels out.
bool takeChannels(XCursor& cursor, const std::vector<uint32_t>& words, uint32_t wordsPerVertex,
                  const ChannelOffsets& at, XMeshData& mesh)
{
    uint64_t expected = uint64_t(mesh.vertexCount()) * wordsPerVertex;
    if (words.size() != expected)
        return cursor.fail(XReadStatus::Malformed);
    if (at.normal != kNone)
        mesh.vertexNormals.clear();
    if (at.texcoord != kNone)
        mesh.texcoords.clear();
    if (at.color != kNone)
        mesh.colors.clear();
    for (uint32_t v = 0; v < mesh.vertexCount(); ++v) {
        const uint32_t* vertex = words.data() + size_t(v) * wordsPerVertex;
        if (at.normal != kNone && !copyFloats(cursor, vertex + at.normal, 3, mesh.vertexNormals))
            return false;
        if (at.texcoord != kNone && !copyFloats(cursor, vertex + at.texcoord, 2, mesh.texcoords))
            return false;
        if (at.color != kNone)
            mesh.colors.push_back(vertex[at.color]);
    }
    return true;
}

bool readDeclaration(XCursor& cursor, uint32_t& wordsPerVertex, ChannelOffsets& at)
{
    uint32_t count;
    if (!cursor.readCount(count, 4))
        return false;
    if (count > kXFileMaxDeclElements)
        return cursor.fail(XReadStatus::Unsupported);
    uint32_t bytes = 0;
    for (uint32_t e = 0; e < count; ++e) {
        uint32_t type, method, usage, usageIndex;
        if (!cursor.readUInt(type) || !cursor.readUInt(method) || !cursor.readUInt(usage)
            || !cursor.readUInt(usageIndex))
            return false;
        if (type >= DeclTypeCount)
            return cursor.fail(XReadStatus::Malformed);
        uint32_t word = bytes / 4;
        if (usageIndex == 0 && usage == UsageNormal && type == DeclFloat3)
            at.normal = word;
        else if (usageIndex == 0 && usage == UsageTexcoord && type == DeclFloat2)
            at.texcoord = word;
        else if (usageIndex == 0 && usage == UsageColor && type == DeclColor)
            at.color = word;
        bytes += kDeclTypeBytes[type];
    }
    wordsPerVertex = bytes / 4;
    return true;
}

// Words of texture-coordinate set `set` in a format code: 2, 3, 4 or 1 as its two bits say.
uint32_t fvfTexcoordWords(uint32_t fvf, uint32_t set)
{
    static const uint32_t kWords[4] = {2, 3, 4, 1};
    return kWords[(fvf >> (16 + 2 * set)) & 3];
}

bool fvfLayout(XCursor& cursor, uint32_t fvf, uint32_t& wordsPerVertex, ChannelOffsets& at)
{
    uint32_t word = 0;
    if (fvf & FvfNormal) {
        at.normal = word;
        word += 3;
    }
    if (fvf & FvfPointSize)
        word += 1;
    if (fvf & FvfDiffuse)
        at.color = word++;
    if (fvf & FvfSpecular)
        word += 1;
    uint32_t sets = (fvf >> 8) & 0xF;
    if (sets > 8)
        return cursor.fail(XReadStatus::Malformed);
    for (uint32_t s = 0; s < sets; ++s) {
        if (s == 0 && fvfTexcoordWords(fvf, 0) == 2)
            at.texcoord = word;
        word += fvfTexcoordWords(fvf, s);
    }
    wordsPerVertex = word;
    return true;
}

} // namespace

bool readDeclDataBody(XCursor& cursor, int depth, XMeshData& mesh)
{
    uint32_t wordsPerVertex = 0, wordCount;
    ChannelOffsets at;
    std::vector<uint32_t> words;
    if (!readDeclaration(cursor, wordsPerVertex, at) || !cursor.readCount(wordCount, 1)
        || !readDwords(cursor, wordCount, words) || !takeChannels(cursor, words, wordsPerVertex, at, mesh))
        return false;
    return cursor.skipBody(depth);
}

bool readFvfDataBody(XCursor& cursor, int depth, XMeshData& mesh)
{
    uint32_t fvf, wordsPerVertex = 0, wordCount;
    ChannelOffsets at;
    std::vector<uint32_t> words;
    if (!cursor.readUInt(fvf) || !fvfLayout(cursor, fvf, wordsPerVertex, at)
        || !cursor.readCount(wordCount, 1) || !readDwords(cursor, wordCount, words)
        || !takeChannels(cursor, words, wordsPerVertex, at, mesh))
        return false;
    return cursor.skipBody(depth);
}
