// The trace files. Each call opens, appends to and closes its file, so that the traces are on
// disk even when the program dies right after.
#include "threeds/diagnostics.h"

#include <cstdio>

// The line is collected in a buffer on the stack, which spares the stream allocating one (and
// asking the file system for its block size); the file sees a single write. The stream is
// closed by hand: this unit uses nothing of the project, not even its holders.
void appendTraceLine(const char* fileName, const char* text)
{
    FILE* file = std::fopen(fileName, "a");
    if (!file) {
        errorBox("cant open file");
        return;
    }
    char buffer[512];
    std::setvbuf(file, buffer, _IOFBF, sizeof buffer);
    std::fputs(text, file);
    std::fputc('\n', file);
    std::fflush(file);
    std::fclose(file);
}

void logLine(const char* text)
{
    appendTraceLine("file.tst", text);
}
