// The materials of an MTL library, for the `usemtl` names an OBJ file uses.
#include "graphics/obj_reader.h"

#include "graphics/obj_text.h"

namespace {

void readColour(TextSpan rest, float* rgb)
{
    TextSpan word;
    float values[3];
    int count = 0;
    while (count < 3 && takeWord(rest, word) && readFloat(word, values[count]))
        ++count;
    if (count == 0)
        return;
    for (int i = 0; i < 3; ++i)   // "Kd 0.5" is grey
        rgb[i] = values[count == 3 ? i : 0];
}

void readNumber(TextSpan rest, float& value)
{
    TextSpan word;
    float read;
    if (takeWord(rest, word) && readFloat(word, read))
        value = read;
}

// The file name of a map statement: what is left after its options ("-s 1 1 1", "-clamp on").
std::string mapFileName(TextSpan rest)
{
    for (;;) {
        rest = trimmed(rest);
        if (rest.empty() || *rest.begin != '-')
            return rest.text();
        TextSpan option, argument;
        takeWord(rest, option);
        for (TextSpan ahead = rest; takeWord(ahead, argument); rest = ahead) {
            float number;
            if (!readFloat(argument, number) && !argument.is("on") && !argument.is("off"))
                break;
        }
    }
}

} // namespace

void applyMtl(const char* data, size_t size, ObjMesh& mesh)
{
    TextLines lines(data, size);
    TextSpan rest, keyword;
    MeshMaterial* current = nullptr;
    while (lines.next(rest)) {
        if (!takeWord(rest, keyword))
            continue;
        if (keyword.is("newmtl")) {
            current = nullptr;
            const std::string name = trimmed(rest).text();
            for (size_t i = 0; i < mesh.materialNames.size(); ++i)
                if (mesh.materialNames[i] == name)
                    current = &mesh.mesh.materials[i];
        } else if (!current) {
            continue;
        } else if (keyword.is("Kd")) {
            readColour(rest, current->diffuse);
        } else if (keyword.is("Ks")) {
            readColour(rest, current->specular);
        } else if (keyword.is("Ke")) {
            readColour(rest, current->emissive);
        } else if (keyword.is("Ns")) {
            readNumber(rest, current->power);
        } else if (keyword.is("d")) {
            readNumber(rest, current->diffuse[3]);
        } else if (keyword.is("map_Kd")) {
            current->textureFile = mapFileName(rest);
        }
    }
}
