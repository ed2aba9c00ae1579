#include "graphics/xfile_document.h"

#include <string>

#include "graphics/xfile_cursor.h"
#include "graphics/xfile_material_reader.h"
#include "graphics/xfile_mesh_assembly.h"
#include "graphics/xfile_mesh_reader.h"
#include "graphics/xfile_transform.h"

namespace {

class DocumentReader {
public:
    DocumentReader(XLexer& lexer, MeshContent& out) : cursor_(lexer), out_(out) {}

    XReadStatus read()
    {
        if (!readChildren(0))
            return cursor_.status();
        if (out_.faceCount() == 0)
            return XReadStatus::Malformed;
        giveDefaultMaterial(unmaterialled_, out_);
        return XReadStatus::Ok;
    }

private:
    // Reads the children of an object opened at `depth` (0: the file) up to its end.
    bool readChildren(int depth)
    {
        for (;;) {
            XChild child = cursor_.nextChild(depth);
            if (child.kind == XChild::Closed)
                return true;
            if (child.kind == XChild::Failed || !readChild(child, depth))
                return false;
        }
    }

    bool readChild(const XChild& child, int depth)
    {
        if (child.kind == XChild::Reference)
            return true;
        if (child.type == "Mesh")
            return readMesh(depth + 1);
        if (child.type == "Frame")
            return readFrame(depth + 1);
        if (child.type == "Material" && depth == 0 && !child.name.empty())
            return readNamedMaterial(std::string(child.name));
        return cursor_.skipBody(depth + 1);
    }

    bool readMesh(int depth)
    {
        XMeshData mesh;
        if (!readMeshBody(cursor_, depth, named_, mesh))
            return false;
        uint32_t firstFace = out_.faceCount();
        const bool materialled = !mesh.faceMaterials.empty();
        XReadStatus appended = appendMesh(mesh, out_);
        if (appended != XReadStatus::Ok)
            return cursor_.fail(appended);
        if (!materialled && out_.faceCount() > firstFace)
            unmaterialled_.push_back(XFaceRange{firstFace, out_.faceCount()});
        return true;
    }

    bool readNamedMaterial(const std::string& name)
    {
        MeshMaterial material;
        if (!readMaterialBody(cursor_, 1, material))
            return false;
        named_[name] = material;
        return true;
    }

    // A Frame's matrix applies to everything inside it, so it is applied when the frame
    // closes, whichever order its children came in.
    bool readFrame(int depth)
    {
        uint32_t firstVertex = out_.vertexCount();
        float matrix[16];
        bool hasMatrix = false;
        for (;;) {
            XChild child = cursor_.nextChild(depth);
            if (child.kind == XChild::Failed)
                return false;
            if (child.kind == XChild::Closed)
                break;
            bool read = true;
            if (child.kind == XChild::Object && child.type == "FrameTransformMatrix") {
                read = cursor_.readFloats(matrix, 16) && cursor_.skipBody(depth + 1);
                hasMatrix = true;
            } else {
                read = readChild(child, depth);
            }
            if (!read)
                return false;
        }
        if (hasMatrix && !transformVertices(out_, firstVertex, matrix))
            return cursor_.fail(XReadStatus::Malformed);
        return true;
    }

    XCursor cursor_;
    MeshContent& out_;
    XNamedMaterials named_;
    std::vector<XFaceRange> unmaterialled_;
};

} // namespace

XReadStatus readXDocument(XLexer& lexer, MeshContent& out)
{
    return DocumentReader(lexer, out).read();
}
