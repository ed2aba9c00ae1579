#pragma once
// Builds 3DS chunk files byte by byte, the way a test wants to lay them out: a builder for any
// chunk, and the chunks of the kinds the reader handles.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "tests/support/byte_writer.h"
#include "threeds/mesh_record.h"

class ChunkBuilder : public ByteWriter {
public:
    // A whole chunk around `contents`.
    ChunkBuilder& chunk(uint16_t id, const std::vector<uint8_t>& contents)
    {
        u16(id).u32(uint32_t(contents.size() + 6)).bytes(contents);
        return *this;
    }
};

std::vector<uint8_t> vertexListChunk(const std::vector<Vertex3ds>& vertices);
// Each face with the edge flags `flags`.
std::vector<uint8_t> faceListChunk(const std::vector<Face3ds>& faces, uint16_t flags = 7);
std::vector<uint8_t> texCoordListChunk(const std::vector<TexCoord3ds>& texCoords);
// A chunk holding only a zero-ended text: material name, texture file name, face material.
std::vector<uint8_t> textChunk(uint16_t id, const std::string& text);
// Object `name` holding a triangle mesh with `meshChunks` in it.
std::vector<uint8_t> objectChunk(const std::string& name, const std::vector<uint8_t>& meshChunks);
// Main chunk around an editor chunk around `editorChunks`.
std::vector<uint8_t> mainFile(const std::vector<uint8_t>& editorChunks);
std::vector<uint8_t> join(std::initializer_list<std::vector<uint8_t>> parts);
