#pragma once
// Names of the common dialogs' extended error codes, as the program shows them.
#include <cstdint>

// "CDERR_STRUCTSIZE" ... "FNERR_BUFFERTOOSMALL" for the codes 0x0001-0x000B and
// 0x3001-0x3003 (three names end in a tab, part of the shown text); none for any other
// code, 0 (the user cancelled) included.
const char* commonDialogErrorName(uint32_t code);
