#include "graphics/xfile_reader.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "base/stdio_file.h"
#include "graphics/xfile_binary_lexer.h"
#include "graphics/xfile_document.h"
#include "graphics/xfile_text_lexer.h"

namespace {

constexpr size_t kHeaderSize = 16;
// Larger files are refused before reading: no mesh the editor can show comes near this.
constexpr long kMaxFileSize = 512L * 1024 * 1024;

enum class Encoding { Text, Binary };

struct XHeader {
    Encoding encoding = Encoding::Text;
    int floatBytes = 4;
};

bool fieldIs(const uint8_t* field, const char* text)
{
    return std::memcmp(field, text, 4) == 0;
}

XReadStatus readHeader(const uint8_t* data, size_t size, XHeader& header)
{
    if (size < kHeaderSize) {
        size_t signature = size < 4 ? size : 4;
        return std::memcmp(data, "xof ", signature) == 0 ? XReadStatus::Truncated : XReadStatus::NotXFile;
    }
    if (!fieldIs(data, "xof "))
        return XReadStatus::NotXFile;
    const uint8_t* version = data + 4;
    if (!fieldIs(version, "0302") && !fieldIs(version, "0303"))
        return XReadStatus::Unsupported;
    const uint8_t* format = data + 8;
    if (fieldIs(format, "txt "))
        header.encoding = Encoding::Text;
    else if (fieldIs(format, "bin "))
        header.encoding = Encoding::Binary;
    else
        return XReadStatus::Unsupported;   // "tzip", "bzip": compressed files are not read
    const uint8_t* floats = data + 12;
    if (fieldIs(floats, "0032"))
        header.floatBytes = 4;
    else if (fieldIs(floats, "0064"))
        header.floatBytes = 8;
    else
        return XReadStatus::Unsupported;
    return XReadStatus::Ok;
}

XReadStatus readBody(const uint8_t* data, size_t size, const XHeader& header, MeshContent& out)
{
    const uint8_t* body = data + kHeaderSize;
    const uint8_t* end = data + size;
    if (header.encoding == Encoding::Binary) {
        XBinaryLexer lexer(body, end, header.floatBytes);
        return readXDocument(lexer, out);
    }
    XTextLexer lexer(reinterpret_cast<const char*>(body), reinterpret_cast<const char*>(end));
    return readXDocument(lexer, out);
}

} // namespace

XReadStatus readXFile(const uint8_t* data, size_t size, MeshContent& out)
{
    out = MeshContent{};
    XHeader header;
    XReadStatus status = readHeader(data, size, header);
    if (status == XReadStatus::Ok) {
        try {
            status = readBody(data, size, header, out);
        } catch (const std::bad_alloc&) {
            status = XReadStatus::OutOfMemory;
        }
    }
    if (status != XReadStatus::Ok)
        out = MeshContent{};
    return status;
}

XReadStatus loadXFile(const char* path, MeshContent& out)
{
    out = MeshContent{};
    StdioFile file(path, "rb");
    if (!file)
        return XReadStatus::NotXFile;
    XReadStatus status = XReadStatus::NotXFile;
    long size = -1;
    if (std::fseek(file, 0, SEEK_END) == 0)
        size = std::ftell(file);
    if (size > kMaxFileSize) {
        status = XReadStatus::OutOfMemory;
    } else if (size >= 0 && std::fseek(file, 0, SEEK_SET) == 0) {
        try {
            // Not a vector: the file fills every byte, so zeroing them first is wasted time.
            std::unique_ptr<uint8_t[]> bytes(new uint8_t[size_t(size) + 1]);   // +1: never empty
            if (std::fread(bytes.get(), 1, size_t(size), file) == size_t(size))
                status = readXFile(bytes.get(), size_t(size), out);
        } catch (const std::bad_alloc&) {
            status = XReadStatus::OutOfMemory;
        }
    }
    return status;
}

const char* xReadStatusName(XReadStatus status)
{
    switch (status) {
    case XReadStatus::Ok: return "ok";
    case XReadStatus::NotXFile: return "not an X file";
    case XReadStatus::Unsupported: return "unsupported X file";
    case XReadStatus::Truncated: return "truncated X file";
    case XReadStatus::Malformed: return "malformed X file";
    case XReadStatus::BadIndex: return "index out of range in X file";
    case XReadStatus::TooDeep: return "X file nested too deeply";
    case XReadStatus::OutOfMemory: return "out of memory reading X file";
    }
    return "unknown";
}
