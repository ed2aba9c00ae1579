// The reader. It is a scanner rather than a tree parser: inside a container it reads a 16-bit
// id; an id the container handles is read by its handler, which leaves the position at the end
// of that chunk; any other id is a two-byte step. A byte counter stops the container at its
// declared length (a handled child counts its length plus 2, so a container may stop before a
// short last child). What this takes from a file, ours or another tool's, follows from that.
//
// Beyond that design the reader guards itself against damaged files. Where a chunk must begin
// (a container's first child, or the bytes right after a handled sibling, as long as no step
// over unknown data was taken in this container or around it) a handled chunk must be at least
// a header long and end inside its parent, and a list must fit its chunk; otherwise the file
// is damaged. A handled id met out of step, after such a step, may be part of the unknown
// data (a float 2.0 holds the bytes of the object id 0x4000): when its chunk does not fit, it
// is taken as the data it is and stepped over like any other two bytes, so that files of other
// writers are neither refused nor cut short for it. The bytes read in all may not exceed a few
// times the file's size (a damaged file can otherwise make the scan revisit the same bytes
// over and over).
#include <cstring>

#include "threeds/chunk3ds_file.h"
#include "threeds/chunk_dump.h"
#include "threeds/chunk_ids.h"
#include "threeds/diagnostics.h"
#include "threeds/mesh_record.h"

using namespace chunk3ds;

namespace {

const char* const kDamagedFile = "Error: 3DS file is damaged";
const char* const kFaceIndexPastVertices = "Error: 3DS face index past the vertex count";

constexpr uint32_t kHeaderSize = 6;
constexpr uint32_t kListHeaderSize = kHeaderSize + 2;   // the 16-bit count follows the header
constexpr uint64_t kWorkAllowanceFactor = 4;
constexpr uint64_t kWorkAllowanceBase = 4096;
constexpr int kMaxViewportEntries = 3;

enum class Container { Main, Editor, Keyframer, Object, TriangleMesh, Viewport };

struct ChunkHeader {
    long start = 0;        // position of the chunk's id
    uint32_t length = 0;   // whole chunk, header included
};

// Where a handled id was met: the end of the chunk around it, and whether a chunk must begin
// there (see above).
struct Place {
    long end = 0;
    bool inStep = false;
};

class ScanningReader {
public:
    ScanningReader(Chunk3dsFile& file, MeshRecord& record, long fileSize)
        : file_(file), record_(record),
          workLimit_(file.bytesRead() + kWorkAllowanceFactor * uint64_t(fileSize) +
                     kWorkAllowanceBase)
    {
    }

    const char* problem() const { return problem_; }
    void markDamaged(const char* message)
    {
        if (!problem_)
            problem_ = message;
    }

    uint32_t readContainer(Container kind, const Place& place);

private:
    uint16_t readId();
    bool readHeader(ChunkHeader& header, const Place& place);
    bool listFits(const ChunkHeader& header, uint32_t count, uint32_t entrySize,
                  const Place& place);
    bool misfit(const ChunkHeader& header, const Place& place);
    bool givenUp();
    bool stopped(Container kind);
    uint32_t finish(const ChunkHeader& header);
    Place childPlace(const ChunkHeader& parent, bool inStep) const;

    uint32_t handleChild(Container kind, uint16_t id, const Place& place);
    uint32_t handleEditorChild(uint16_t id, const Place& place);
    uint32_t handleKeyframerChild(uint16_t id, const Place& place);
    uint32_t handleObjectChild(uint16_t id, const Place& place);
    uint32_t handleTriangleMeshChild(uint16_t id, const Place& place);
    uint32_t handleViewportChild(uint16_t id, const Place& place);

    uint32_t skipChunk(const Place& place);
    uint32_t readVertexList(const Place& place);
    uint32_t readFaceList(const Place& place);
    uint32_t readFaceMaterial(const Place& place);
    uint32_t readTexCoordList(const Place& place);
    uint32_t readMaterialBlock(const Place& place);
    uint32_t readMaterialText(char* destination, const Place& place);

    Chunk3dsFile& file_;
    MeshRecord& record_;
    const uint64_t workLimit_;
    const char* problem_ = nullptr;
};

uint16_t ScanningReader::readId()
{
    const uint16_t id = file_.read16();
    dumpChunkName(id);
    return id;
}

// A handler that gets false returns 0: the id was a step, or the file is damaged.
bool ScanningReader::readHeader(ChunkHeader& header, const Place& place)
{
    header.start = file_.readPosition() - 2;
    header.length = file_.read32();
    if (header.length >= kHeaderSize && int64_t(header.length) <= int64_t(place.end) - header.start)
        return true;
    return misfit(header, place);
}

bool ScanningReader::listFits(const ChunkHeader& header, uint32_t count, uint32_t entrySize,
                              const Place& place)
{
    if (header.length >= kListHeaderSize && count <= (header.length - kListHeaderSize) / entrySize)
        return true;
    return misfit(header, place);
}

bool ScanningReader::misfit(const ChunkHeader& header, const Place& place)
{
    if (place.inStep)
        markDamaged(kDamagedFile);
    else
        file_.setReadPosition(header.start + 2, SEEK_SET);   // a step over two bytes of data
    return false;
}

bool ScanningReader::givenUp()
{
    if (file_.bytesRead() > workLimit_)
        markDamaged(kDamagedFile);
    return problem_ != nullptr;
}

bool ScanningReader::stopped(Container kind)
{
    if (givenUp())
        return true;
    return kind == Container::Viewport && file_.viewportEntryCount > kMaxViewportEntries;
}

uint32_t ScanningReader::finish(const ChunkHeader& header)
{
    file_.setReadPosition(header.start + long(header.length), SEEK_SET);
    return header.length;
}

Place ScanningReader::childPlace(const ChunkHeader& parent, bool inStep) const
{
    const long end = parent.start + long(parent.length);
    return Place{end, inStep && file_.readPosition() < end};
}

uint32_t ScanningReader::readContainer(Container kind, const Place& place)
{
    ChunkHeader header;
    if (!readHeader(header, place))
        return 0;
    bool inStep = place.inStep;
    // The object's name is not counted, so after its last child an object scans on for about
    // as many bytes as its name took; the final seek puts the position back at its end. A
    // name cut at its twelfth byte leaves the rest of it to the scan.
    if (kind == Container::Object) {
        bool whole = false;
        file_.readBoundedName(&whole);
        inStep = inStep && whole;
    }
    uint64_t counter = kHeaderSize;
    do {
        const Place child = childPlace(header, inStep);
        const uint16_t id = readId();
        const uint32_t length = handleChild(kind, id, child);
        // A step over data the reader does not know leaves the rest of the container out of
        // step, even where a handled id later looks like a chunk again.
        inStep = inStep && length > 0;
        counter += length;
        counter += 2;
    } while (counter < header.length && !stopped(kind));
    return finish(header);
}

uint32_t ScanningReader::handleChild(Container kind, uint16_t id, const Place& place)
{
    switch (kind) {
    case Container::Main:
        if (id == kEditor)
            return readContainer(Container::Editor, place);
        if (id == kKeyframer)
            return readContainer(Container::Keyframer, place);
        return 0;
    case Container::Editor:
        return handleEditorChild(id, place);
    case Container::Keyframer:
        return handleKeyframerChild(id, place);
    case Container::Object:
        return handleObjectChild(id, place);
    case Container::TriangleMesh:
        return handleTriangleMeshChild(id, place);
    case Container::Viewport:
        return handleViewportChild(id, place);
    }
    return 0;
}

uint32_t ScanningReader::handleEditorChild(uint16_t id, const Place& place)
{
    switch (id) {
    case kObject:
        return readContainer(Container::Object, place);
    case kMaterialBlock:
        return readMaterialBlock(place);
    case kViewport:
        return readContainer(Container::Viewport, place);
    // Editor settings the program has no use for; the background (0x1200) and ambient (0x2100)
    // colours among them carry nothing the record keeps.
    case 0x1100: case 0x1200: case 0x1201: case 0x1300: case 0x1400: case 0x1420:
    case 0x1450: case 0x1500: case 0x2100: case 0x2200: case 0x2201: case 0x2210:
    case 0x2300: case 0x2302: case 0x3000:
        return skipChunk(place);
    default:
        return 0;
    }
}

uint32_t ScanningReader::handleKeyframerChild(uint16_t id, const Place& place)
{
    switch (id) {
    case kViewport:
        return readContainer(Container::Viewport, place);
    case 0xB002: case 0xB008: case 0xB009: case 0xB00A:
        return skipChunk(place);
    default:
        return 0;
    }
}

uint32_t ScanningReader::handleObjectChild(uint16_t id, const Place& place)
{
    switch (id) {
    case kTriangleMesh:
        return readContainer(Container::TriangleMesh, place);
    // Lights and cameras carry nothing the record keeps.
    case 0x4010: case 0x4012: case kLight: case kCamera:
        return skipChunk(place);
    default:
        return 0;
    }
}

uint32_t ScanningReader::handleTriangleMeshChild(uint16_t id, const Place& place)
{
    switch (id) {
    case kVertexList:
        return readVertexList(place);
    case kFaceList:
        return readFaceList(place);
    case kFaceMaterial:
        return readFaceMaterial(place);
    case kTexCoordList:
        return readTexCoordList(place);
    // The local axes (0x4160) are not applied: vertices are kept as the file stores them.
    case 0x4111: case kLocalAxes: case 0x4165:
        return skipChunk(place);
    default:
        return 0;
    }
}

uint32_t ScanningReader::handleViewportChild(uint16_t id, const Place& place)
{
    switch (id) {
    case kViewportData:
        return skipChunk(place);
    case kViewportEntry1:
    case kViewportEntry2:
        ++file_.viewportEntryCount;
        return skipChunk(place);
    default:
        return 0;
    }
}

uint32_t ScanningReader::skipChunk(const Place& place)
{
    ChunkHeader header;
    if (!readHeader(header, place))
        return 0;
    return finish(header);
}

uint32_t ScanningReader::readVertexList(const Place& place)
{
    ChunkHeader header;
    if (!readHeader(header, place))
        return 0;
    const uint32_t count = file_.read16();
    if (!listFits(header, count, sizeof(Vertex3ds), place))
        return 0;
    record_.vertices.assign(count, Vertex3ds{});
    file_.readBlock(record_.vertices.data(), count * sizeof(Vertex3ds));
    return finish(header);
}

uint32_t ScanningReader::readFaceList(const Place& place)
{
    ChunkHeader header;
    if (!readHeader(header, place))
        return 0;
    const uint32_t count = file_.read16();
    if (!listFits(header, count, 4 * sizeof(uint16_t), place))
        return 0;
    record_.faces.assign(count, Face3ds{});
    for (Face3ds& face : record_.faces) {
        face.a = file_.read16();
        face.b = file_.read16();
        face.c = file_.read16();
        file_.read16();   // edge flags: not used
    }
    // Smoothing groups are not kept; the seek to the chunk's end passes over them and over any
    // other sub-chunk of the face list (a face-material chunk placed here included).
    if (readId() == kSmoothingGroups)
        file_.read32();
    return finish(header);
}

uint32_t ScanningReader::readFaceMaterial(const Place& place)
{
    ChunkHeader header;
    if (!readHeader(header, place))
        return 0;
    const bool named = file_.readName() == 0;
    for (uint32_t i = 0; i < record_.materialCount; ++i) {
        const MaterialInfo& material = record_.materials[i];
        if (named && std::strcmp(file_.nameBuffer, material.name) == 0) {
            record_.materialIndex = int32_t(i);
            if (material.textureFileName[0] != 0)
                record_.hasTexture = true;
            break;
        }
        record_.materialIndex = -1;
    }
    return finish(header);
}

uint32_t ScanningReader::readTexCoordList(const Place& place)
{
    ChunkHeader header;
    if (!readHeader(header, place))
        return 0;
    const uint32_t count = file_.read16();
    if (!listFits(header, count, sizeof(TexCoord3ds), place))
        return 0;
    record_.texCoords.assign(count, TexCoord3ds{});
    file_.readBlock(record_.texCoords.data(), count * sizeof(TexCoord3ds));
    return finish(header);
}

// A material block adds one material. Its name and texture file name are taken from the
// 0xA000 and 0xA300 chunks it holds directly; a texture map (0xA200) is read as a block of its
// own and so adds a further material. The first id of any other kind (but the diffuse colour)
// ends the block, and so does a child taken as data. Blocks past the record's room for
// materials are passed over.
uint32_t ScanningReader::readMaterialBlock(const Place& place)
{
    ChunkHeader header;
    if (!readHeader(header, place))
        return 0;
    if (record_.materialCount >= kMaxMaterials)
        return finish(header);
    MaterialInfo& material = record_.materials[record_.materialCount++];
    material = MaterialInfo{};
    uint64_t counter = kHeaderSize;
    do {
        const Place child = childPlace(header, place.inStep);
        const uint16_t id = readId();
        uint32_t length = 0;   // stays 0 for ids of other kinds, which end the block
        if (id == kMaterialName)
            length = readMaterialText(material.name, child);
        else if (id == kTextureFileName)
            length = readMaterialText(material.textureFileName, child);
        else if (id == kTextureMap)
            length = readMaterialBlock(child);
        else if (id == kMaterialDiffuse)
            length = skipChunk(child);
        if (length == 0)
            break;
        counter += length;
        counter += 2;
    } while (counter < header.length && !givenUp());
    return finish(header);
}

// An empty name leaves "Default name" in the name buffer, and that is what is copied.
uint32_t ScanningReader::readMaterialText(char* destination, const Place& place)
{
    ChunkHeader header;
    if (!readHeader(header, place))
        return 0;
    file_.readName();
    std::strncpy(destination, file_.nameBuffer, kRecordTextLength - 1);
    destination[kRecordTextLength - 1] = 0;
    return finish(header);
}

bool facesReferToVertices(const MeshRecord& record)
{
    const uint32_t vertexCount = record.vertexCount();
    for (const Face3ds& face : record.faces) {
        if (face.a >= vertexCount || face.b >= vertexCount || face.c >= vertexCount)
            return false;
    }
    return true;
}

}  // namespace

int Chunk3dsFile::Read()
{
    if (g_meshRecords.empty())
        return 0;
    MeshRecord& record = g_meshRecords.front();
    record.materialCount = 0;
    setReadPosition(0, SEEK_END);
    const long fileSize = readPosition();
    setReadPosition(0, SEEK_SET);
    const uint16_t firstId = read16();
    dumpChunkName(firstId);
    if (!fileHandle)
        return 0;
    if (firstId != chunk3ds::kMain)
        return 1;
    setReadPosition(2, SEEK_SET);
    ScanningReader reader(*this, record, fileSize);
    reader.readContainer(Container::Main, Place{fileSize, true});
    if (!reader.problem() && !facesReferToVertices(record))
        reader.markDamaged(kFaceIndexPastVertices);
    if (reader.problem()) {
        errorBox(reader.problem());
        return 0;
    }
    return 1;
}
