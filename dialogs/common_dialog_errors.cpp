#include "dialogs/common_dialog_errors.h"

namespace {

struct ErrorName {
    uint32_t code;
    const char* name;
};

// The tabs after three names are part of the text the error box shows.
constexpr ErrorName errorNames[] = {
    {0x0001, "CDERR_STRUCTSIZE"},
    {0x0002, "CDERR_INITIALIZATION"},
    {0x0003, "CDERR_NOTEMPLATE"},
    {0x0004, "CDERR_NOHINSTANCE"},
    {0x0005, "CDERR_LOADSTRFAILURE\t"},
    {0x0006, "CDERR_FINDRESFAILURE"},
    {0x0007, "CDERR_LOADRESFAILURE\t"},
    {0x0008, "CDERR_LOCKRESFAILURE"},
    {0x0009, "CDERR_MEMALLOCFAILURE"},
    {0x000A, "CDERR_MEMLOCKFAILURE\t"},
    {0x000B, "CDERR_NOHOOK"},
    {0x3001, "FNERR_SUBCLASSFAILURE"},
    {0x3002, "FNERR_INVALIDFILENAME"},
    {0x3003, "FNERR_BUFFERTOOSMALL"},
};

} // namespace

const char* commonDialogErrorName(uint32_t code) {
    for (const ErrorName& entry : errorNames)
        if (entry.code == code)
            return entry.name;
    return nullptr;
}
