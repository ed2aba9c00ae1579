#include "framework/media_search_win.h"

#include "base/file_handle_win.h"
#include "framework/text_buffer.h"

namespace {

// Folders above the program searched for a "media" folder: the build tree puts the program
// up to four levels below the source tree's root.
const int kMediaSearchLevels = 4;

bool CanOpenForReading(const char* path) {
    const FileHandle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.valid();
}

bool IsFolder(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

HRESULT MediaFolderFromRegistry(char* buffer, int size) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Mapwell", 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return E_FAIL;
    DWORD type = 0;
    DWORD bytes = DWORD(size);
    const LONG result = RegQueryValueExA(key, "Media Path", nullptr, &type,
                                         reinterpret_cast<BYTE*>(buffer), &bytes);
    buffer[size - 1] = '\0';
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || type != REG_SZ) {
        buffer[0] = '\0';
        return E_FAIL;
    }
    return AppendBounded(buffer, size_t(size), "\\Media\\") ? S_OK : E_INVALIDARG;
}

HRESULT MediaFolderNearProgram(char* buffer, int size) {
    char folder[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH || !CutAfterLastSeparator(folder))
        return E_FAIL;
    for (int level = 0; level <= kMediaSearchLevels; ++level) {
        char candidate[MAX_PATH];
        CopyBounded(candidate, folder, MAX_PATH);
        if (AppendBounded(candidate, MAX_PATH, "media") && IsFolder(candidate)) {
            if (!CopyBounded(buffer, candidate, size_t(size)) ||
                !AppendBounded(buffer, size_t(size), "\\")) {
                buffer[0] = '\0';
                return E_INVALIDARG;
            }
            return S_OK;
        }
        // Up one folder: drop the trailing separator, then the last folder name.
        folder[lstrlenA(folder) - 1] = '\0';
        if (!CutAfterLastSeparator(folder))
            break;
    }
    return E_FAIL;
}

}  // namespace

HRESULT GetMediaFolder(char* buffer, int size) {
    if (!buffer || size < 1)
        return E_INVALIDARG;
    buffer[0] = '\0';
    const HRESULT hr = MediaFolderFromRegistry(buffer, size);
    if (hr != E_FAIL)
        return hr;
    return MediaFolderNearProgram(buffer, size);
}

HRESULT LocateMediaFile(char* dest, int size, const char* name) {
    if (!dest || !name || size < 1)
        return E_INVALIDARG;
    dest[0] = '\0';
    const DWORD length = GetFullPathNameA(name, DWORD(size), dest, nullptr);
    if (length == 0 || length >= DWORD(size)) {
        dest[0] = '\0';
        return E_FAIL;
    }
    char bareName[MAX_PATH];
    CopyBounded(bareName, FileNamePart(dest), MAX_PATH);

    if (CanOpenForReading(dest))
        return S_OK;
    if (CanOpenForReading(bareName)) {
        CopyBounded(dest, bareName, size_t(size));
        return S_OK;
    }
    const HRESULT hr = GetMediaFolder(dest, size);
    if (FAILED(hr))
        return hr;
    if (!AppendBounded(dest, size_t(size), bareName))
        return E_INVALIDARG;
    if (CanOpenForReading(dest))
        return S_OK;
    CopyBounded(dest, name, size_t(size));
    return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
}
