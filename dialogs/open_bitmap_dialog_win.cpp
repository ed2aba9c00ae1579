#include "dialogs/open_bitmap_dialog_win.h"

#include <commdlg.h>
#include <vector>
#include "dialogs/common_dialog_errors.h"
#include "threeds/diagnostics.h"

std::string chooseBitmapFile(HWND owner, size_t pathCapacity) {
    std::vector<char> path(pathCapacity, '\0');
    static const char filter[] = "BMP\0*.bmp\0All\0*.*\0PGM\0*.pgm\0";
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.Flags = OFN_EXPLORER | OFN_CREATEPROMPT | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST |
                   OFN_HIDEREADONLY;
    // The dialog uses the first three characters only: names without extension get ".bmp".
    dialog.lpstrDefExt = "bmp,pgm";

    if (!GetOpenFileNameA(&dialog)) {
        if (const char* name = commonDialogErrorName(CommDlgExtendedError()))
            errorBox(name);
        return std::string();
    }
    return std::string(path.data());
}
