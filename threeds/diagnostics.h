#pragma once
// The program's three diagnostics. None keeps state: each call opens, writes and closes its
// file in the current folder, so traces survive a crash and grow across runs.
#include <cstdint>

// Appends `text` and a line end to the debug log "file.tst". When the file cannot be opened,
// shows the error box "cant open file" and writes nothing.
void logLine(const char* text);

// Shows a modal box without owner: `text`, caption "Error", error icon, OK. Returns the box's
// result. In the native build (no window system) the text goes to the error-box record.
int errorBox(const char* text);

// Appends the label of the 3DS chunk `id` (or "UNKNOWN CHUNK") to "chunks.tst".
void dumpChunkName(uint32_t id);

// Label of a chunk id as the dump writes it: "MAIN3DS 0x4D4D", or "UNKNOWN CHUNK".
const char* chunkLabel(uint32_t id);
