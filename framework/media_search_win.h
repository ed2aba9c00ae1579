#pragma once
// Where the program looks for its media files (the start-up mesh, textures named by meshes).
#include <windows.h>

// The media folder, ending in a backslash. First the registry: HKEY_LOCAL_MACHINE
// "Software\Mapwell", string value "Media Path", with "\Media\" appended. Without that value,
// the first folder named "media" found beside the program or up to four folders above it (so
// both an installed "media" folder and the source tree's "media" folder of a build are found).
// E_INVALIDARG for a null buffer, a size below 1 or a folder that does not fit; E_FAIL when
// no media folder exists.
HRESULT GetMediaFolder(char* buffer, int size);

// Finds media file `name`: as given (made a full path), then as a bare file name in the
// current folder, then in the media folder. S_OK with the path found in `dest`. A name found
// nowhere is left in `dest` and HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) returned; E_INVALIDARG
// for null arguments or a size below 1, E_FAIL when the full path does not fit.
HRESULT LocateMediaFile(char* dest, int size, const char* name);
