#include "base/file_names.h"

#include <cctype>
#include <cstring>

bool nameEndsWith(const char* name, const char* ending)
{
    const size_t length = strlen(name), endingLength = strlen(ending);
    if (length < endingLength)
        return false;
    for (size_t i = 0; i < endingLength; ++i)
        if (tolower(static_cast<unsigned char>(name[length - endingLength + i])) != ending[i])
            return false;
    return true;
}
