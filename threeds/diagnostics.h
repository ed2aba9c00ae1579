#pragma once
// The debug log and the error box, which every folder calls. This unit depends on nothing else
// of the project. None of it keeps state: each line opens, writes and closes its file in the
// current folder, so traces survive a crash and grow across runs.

// Appends `text` and a line end to the debug log "file.tst". When the file cannot be opened,
// shows the error box "cant open file" and writes nothing.
void logLine(const char* text);

// Appends `text` and a line end to the trace file `fileName`, as logLine does for the debug
// log (same error box when the file cannot be opened).
void appendTraceLine(const char* fileName, const char* text);

// Shows a modal box without owner: `text`, caption "Error", error icon, OK. Returns the box's
// result. In the native build (no window system) the text goes to the error-box record.
int errorBox(const char* text);
