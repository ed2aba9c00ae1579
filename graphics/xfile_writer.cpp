#include "graphics/xfile_writer.h"

#include <cassert>
#include <memory>

#include "base/atomic_file.h"
#include "graphics/xfile_binary_sink.h"
#include "graphics/xfile_templates.h"
#include "graphics/xfile_text_sink.h"

namespace {

// Ends element i of an array of n: ',' between elements, ';' after the last.
void endElement(XSink& sink, size_t i, size_t n)
{
    sink.separator(i + 1 < n ? ',' : ';');
    sink.endLine();
}

void count(XSink& sink, size_t n)
{
    sink.integer(uint32_t(n));
    sink.separator(';');
    sink.endLine();
}

// A struct of `width` floats ("x;y;z;").
void floatStruct(XSink& sink, const float* values, int width)
{
    for (int k = 0; k < width; ++k) {
        sink.real(values[k]);
        sink.separator(';');
    }
}

void vectorArray(XSink& sink, const std::vector<float>& values, int width)
{
    size_t n = values.size() / size_t(width);
    count(sink, n);
    for (size_t i = 0; i < n; ++i) {
        floatStruct(sink, &values[i * size_t(width)], width);
        endElement(sink, i, n);
    }
}

void triangleArray(XSink& sink, const std::vector<uint32_t>& indices)
{
    size_t n = indices.size() / 3;
    count(sink, n);
    for (size_t f = 0; f < n; ++f) {
        sink.integer(3);
        sink.separator(';');
        for (size_t k = 0; k < 3; ++k) {
            sink.integer(indices[3 * f + k]);
            sink.separator(k < 2 ? ',' : ';');
        }
        endElement(sink, f, n);
    }
}

void headerObject(XSink& sink)
{
    sink.open("Header");
    for (uint32_t value : {1u, 0u, 1u}) {
        sink.integer(value);
        sink.separator(';');
        sink.endLine();
    }
    sink.close();
}

void normalsObject(XSink& sink, const MeshContent& mesh)
{
    sink.open("MeshNormals");
    vectorArray(sink, mesh.normals, 3);
    triangleArray(sink, mesh.indices);
    sink.close();
}

void texcoordsObject(XSink& sink, const MeshContent& mesh)
{
    sink.open("MeshTextureCoords");
    vectorArray(sink, mesh.texcoords, 2);
    sink.close();
}

void colorsObject(XSink& sink, const MeshContent& mesh)
{
    sink.open("MeshVertexColors");
    size_t n = mesh.colors.size();
    count(sink, n);
    for (size_t v = 0; v < n; ++v) {
        uint32_t argb = mesh.colors[v];
        float rgba[4] = {float((argb >> 16) & 0xFF) / 255.0f, float((argb >> 8) & 0xFF) / 255.0f,
                         float(argb & 0xFF) / 255.0f, float(argb >> 24) / 255.0f};
        sink.integer(uint32_t(v));
        sink.separator(';');
        floatStruct(sink, rgba, 4);
        sink.separator(';');
        endElement(sink, v, n);
    }
    sink.close();
}

void materialObject(XSink& sink, const MeshMaterial& material)
{
    sink.open("Material");
    floatStruct(sink, material.diffuse, 4);
    sink.separator(';');
    sink.endLine();
    sink.real(material.power);
    sink.separator(';');
    sink.endLine();
    for (const float* color : {material.specular, material.emissive}) {
        floatStruct(sink, color, 3);
        sink.separator(';');
        sink.endLine();
    }
    if (!material.textureFile.empty()) {
        sink.open("TextureFilename");
        sink.string(material.textureFile);
        sink.endLine();
        sink.close();
    }
    sink.close();
}

void materialListObject(XSink& sink, const MeshContent& mesh)
{
    sink.open("MeshMaterialList");
    count(sink, mesh.materials.size());
    size_t faces = mesh.faceCount();
    count(sink, faces);
    for (size_t f = 0; f < faces; ++f) {
        uint32_t attribute = f < mesh.attributes.size() ? mesh.attributes[f] : 0;
        assert(attribute < mesh.materials.size());
        sink.integer(attribute);
        endElement(sink, f, faces);
    }
    for (const MeshMaterial& material : mesh.materials)
        materialObject(sink, material);
    sink.close();
}

void meshObject(XSink& sink, const MeshContent& mesh)
{
    sink.open("Mesh");
    vectorArray(sink, mesh.positions, 3);
    triangleArray(sink, mesh.indices);
    if (!mesh.normals.empty())
        normalsObject(sink, mesh);
    if (!mesh.texcoords.empty())
        texcoordsObject(sink, mesh);
    if (!mesh.colors.empty())
        colorsObject(sink, mesh);
    if (!mesh.materials.empty())
        materialListObject(sink, mesh);
    sink.close();
}


// Numbers the file will hold: per vertex its channels, per triangle its indices (twice with
// normals) and its attribute.
size_t expectedNumbers(const MeshContent& mesh)
{
    size_t perFace = mesh.normals.empty() ? 5 : 9;
    return mesh.positions.size() + mesh.normals.size() + mesh.texcoords.size() + 5 * mesh.colors.size()
           + perFace * mesh.faceCount();
}

} // namespace

std::vector<uint8_t> writeXFile(const MeshContent& mesh, XFileFormat format)
{
    std::unique_ptr<XSink> sink;
    if (format == XFileFormat::Binary)
        sink = std::make_unique<XBinarySink>(expectedNumbers(mesh));
    else
        sink = std::make_unique<XTextSink>(expectedNumbers(mesh));
    sink->templates(kXFileStandardTemplates);
    headerObject(*sink);
    meshObject(*sink, mesh);
    return sink->take();
}

bool saveXFile(const char* path, const MeshContent& mesh, XFileFormat format)
{
    const std::vector<uint8_t> bytes = writeXFile(mesh, format);
    return saveFileAtomically(path, bytes.data(), bytes.size()) == SaveResult::Saved;
}
