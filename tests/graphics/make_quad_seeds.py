#!/usr/bin/env python3
"""Writes xfile_quads/quad_*.x: one textured quad as a text file, again in each way real text
files write it (separators, comments, names, numbers, templates, unknown objects, headers), and
as binary files in each form the binary encoding allows (lists; single integers, separators and
a GUID with a 32-bit string terminator; 64-bit floats inside a frame). The X file suite reads
them all as the same mesh. Also writes the headers and binary polygon lists the reader refuses
into xfiles_bad/, named by the status they give."""
import os
import struct

NAME, STRING, INTEGER, GUID, INTEGERS, FLOATS = 1, 2, 3, 5, 6, 7
OPEN, CLOSE, COMMA, SEMICOLON = 10, 11, 19, 20
POSITIONS = [0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0]
MATERIAL = [1, 0.5, 0.25, 1, 4, 0, 0, 0, 0, 0, 0]
TEXT = """xof 0302txt 0032
Mesh { 4; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;; 2; 3;0,1,2;, 3;0,2,3;;
 MeshMaterialList { 1; 2; 0,0;; Material { 1;0.5;0.25;1;; 4; 0;0;0;; 0;0;0;;
  TextureFilename { "quad.bmp"; } } } }
"""


def binary(form, faces=(2, 3, 0, 1, 2, 3, 0, 2, 3), material=True):
    header, real = (b"xof 0303bin 0064", "<d") if form == "doubles_in_frame" else (b"xof 0302bin 0032", "<f")
    out = bytearray(header)
    token = lambda code: out.extend(struct.pack("<H", code))
    dword = lambda value: out.extend(struct.pack("<I", value))
    def counted(code, text):
        token(code)
        dword(len(text))
        out.extend(text.encode())
    def numbers(code, values, fmt):
        token(code)
        dword(len(values))
        for v in values:
            out.extend(struct.pack(fmt, v))
    def open_object(kind):
        counted(NAME, kind)
        token(OPEN)
    if form == "doubles_in_frame":
        counted(NAME, "Frame")
        counted(NAME, "Root")
        token(OPEN)
    open_object("Mesh")
    if form == "tokens":
        token(GUID)
        out.extend(bytes(range(16)))
        token(INTEGER); dword(4); token(SEMICOLON)
    else:
        numbers(INTEGERS, [4], "<I")
    numbers(FLOATS, POSITIONS[:8] + [1e-300 if real == "<d" else 0] + POSITIONS[9:], real)
    if form == "tokens":
        token(INTEGER); dword(2); token(COMMA); token(INTEGER); dword(3)
        numbers(INTEGERS, [0, 1], "<I"); token(INTEGER); dword(2); numbers(INTEGERS, [3, 0, 2, 3], "<I")
    else:
        numbers(INTEGERS, list(faces), "<I")
    if not material:
        token(CLOSE)
        return bytes(out)
    open_object("MeshMaterialList")
    numbers(INTEGERS, [1, 2, 0, 0], "<I")
    open_object("Material")
    numbers(FLOATS, MATERIAL, real)
    open_object("TextureFilename")
    counted(STRING, "quad.bmp")
    if form == "tokens":
        dword(SEMICOLON)   # the 32-bit terminator some writers use
    else:
        token(SEMICOLON)
    for _ in range(5 if form == "doubles_in_frame" else 4):
        token(CLOSE)
    return bytes(out)


QUAD = "Mesh { 4; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;; 1; 4;0,1,2,3;; }\n"
LIST = ' MeshMaterialList { 1; 1; 0;; Material { 1;0.5;0.25;1;; 4; 0;0;0;; 0;0;0;; TextureFilename { "quad.bmp"; } } }\n'
# The quad as one four-corner polygon, its material list added before the mesh's closing brace.
TEXT_FORMS = {
    "commas_only": "Mesh{4,0,0,0,1,0,0,1,1,0,0,1,0,1,4,0,1,2,3}",
    "spaces_only": "Mesh {\n 4\n 0 0 0\n 1 0 0\n 1 1 0\n 0 1 0\n 1\n 4 0 1 2 3\n}",
    "doubled_separators": "Mesh {4;; 0;0;0;;, 1;0;0;;, 1;1;0;;, 0;1;0;;; 1;; 4;;0,1,2,3;;; }",
    "hash_comments": "# a comment { with braces\nMesh { # vertices\n4; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;; 1; 4;0,1,2,3;; }",
    "slash_comments": "// made by hand\nMesh {\n 4; // four\n 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;; 1; 4;0,1,2,3;; }",
    "name_starting_with_a_digit": QUAD.replace("Mesh", "Mesh 01_Quad-Mesh.1"),
    "named_with_guid": QUAD.replace("Mesh {", "Mesh quad { <3D82AB44-62DA-11cf-AB39-0020AF71E433>"),
    "number_forms": "Mesh { 4; 0.0;-0.000;+0e0;, 1.;0;1e-60;, 1.000000e+000;1;.0;, 0;10E-1;0;; 1; 4;+0,1,2,3;; }",
    "crlf_and_tabs": "Mesh\t{\r\n4;\r\n0;0;0;,\t1;0;0;,\r\n1;1;0;,0;1;0;;\r\n1;\r\n4;0,1,2,3;;\r\n}\r\n",
    "templates_first":
        "template Vector { <3D82AB5E-62DA-11cf-AB39-0020AF71E433> FLOAT x; FLOAT y; FLOAT z; }\n"
        "template Mesh { <3D82AB44-62DA-11cf-AB39-0020AF71E433> DWORD nVertices; array Vector vertices[nVertices];"
        " DWORD nFaces; array MeshFace faces[nFaces]; [...] }\n"
        "template Open { <00000000-0000-0000-0000-000000000000> [Material <3D82AB4D-62DA-11cf-AB39-0020AF71E433>,"
        " Mesh] }\n" + QUAD,
    "unknown_objects_a_mesh_inside_one":
        "Header { 1; 0; 1; }\nAnimationSet walk { Animation { { Frame1 } AnimationKey { 0; 1; 0;4;1.0,0,0,0;;; } } }\n"
        "Wrapper { Inner { Mesh { 3; 9;9;9;, 9;9;9;, 9;9;9;; 1; 3;0,1,2;; } } }\n"
        "Mesh { 4; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;; 1; 4;0,1,2,3;;\n"
        " SkinWeights { \"bone\"; 1; 0; 1.0; 1,0,0,0,0,1,0,0,0,0,1,0,0,0,0,1;; }\n XSkinMeshHeader { 1; 1; 1; }\n"
        " VertexDuplicationIndices { 4; 4; 0,1,2,3; } }",
    "version_0303": QUAD,
    # 64-bit floats: digits past a float's, and a number below the float range, read as zero.
    "doubles_long_digits": QUAD.replace("1;0;0;,", "1.0000000000000000055511151231257827;0;1e-50;,"),
}
REFUSED_HEADERS = {
    "unsupported-header_tzip.x": "xof 0302tzip0032", "unsupported-header_bzip.x": "xof 0302bzip0064",
    "unsupported-header_asc.x": "xof 0302asc 0032", "unsupported-header_0301.x": "xof 0301txt 0032",
    "notxfile-header_upper_case.x": "XOF 0302txt 0032", "notxfile-png_signature.x": "\x89PNG\r\n\x1a\n01234567",
}

here = os.path.dirname(os.path.abspath(__file__))
seeds = os.path.join(here, "xfile_quads")
with open(os.path.join(seeds, "quad_text.x"), "w") as f:
    f.write(TEXT)
for form, body in TEXT_FORMS.items():
    header = {"version_0303": "xof 0303txt 0032", "doubles_long_digits": "xof 0302txt 0064"}.get(form, "xof 0302txt 0032")
    end = body.rindex("}")
    with open(os.path.join(seeds, f"quad_{form}.x"), "w", newline="") as f:
        f.write(header + "\n" + body[:end] + LIST + body[end:])
for form in ("lists", "tokens", "doubles_in_frame"):
    with open(os.path.join(seeds, f"quad_{form}.x"), "wb") as f:
        f.write(binary(form))
# Polygons read straight out of an integer list meet the same checks as token by token: a
# polygon of two corners, a corner past the four vertices, more corners than the file holds.
for name, faces in {"malformed-bin_polygon_of_two_corners.x": (2, 3, 0, 1, 2, 2, 0, 1),
                    "badindex-bin_polygon_corner_past_vertices.x": (2, 3, 0, 1, 2, 3, 0, 1, 4),
                    "truncated-bin_polygon_past_the_file.x": (2, 3, 0, 1, 2, 9, 0, 1, 2)}.items():
    with open(os.path.join(here, "xfiles_bad", name), "wb") as f:
        f.write(binary("lists", faces, material=False))
for name, header in REFUSED_HEADERS.items():
    with open(os.path.join(here, "xfiles_bad", name), "w", encoding="latin-1", newline="") as f:
        f.write(header + QUAD)
