#include "dialogs/open_bitmap_dialog_win.h"

#include <commdlg.h>
#include <cstring>
#include "dialogs/common_dialog_errors.h"
#include "imagefile/image_bitmap_win.h"
#include "threeds/diagnostics.h"

std::string openBitmap(ImageBitmap& bitmap, HWND owner) {
    // The bitmap's own file path is the dialog's name buffer.
    char* path = bitmap.filePathBuffer();
    std::memset(path, 0, ImageBitmap::FilePathSize);

    static const char filter[] = "BMP\0*.bmp\0All\0*.*\0PGM\0*.pgm\0";
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path;
    dialog.nMaxFile = ImageBitmap::FilePathSize;
    dialog.Flags = OFN_EXPLORER | OFN_CREATEPROMPT | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST |
                   OFN_HIDEREADONLY;
    // The dialog uses the first three characters only: names without extension get ".bmp".
    dialog.lpstrDefExt = "bmp,pgm";

    if (!GetOpenFileNameA(&dialog)) {
        // A buffer that was too small holds the size it needed: leave no such text behind.
        std::memset(path, 0, ImageBitmap::FilePathSize);
        if (const char* name = commonDialogErrorName(CommDlgExtendedError()))
            errorBox(name);
        return std::string();
    }
    const std::string chosen(path);
    if (chosen.find(".bmp") != std::string::npos)
        bitmap.openImageFile(owner, chosen.c_str());
    if (chosen.find(".pgm") != std::string::npos) {
        bitmap.loadPgm(owner, bitmap.getFilePath());
        bitmap.makeBitmapFromPgm(owner);
    }
    return chosen;
}
