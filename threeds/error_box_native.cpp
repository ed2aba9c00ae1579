// errorBox where there is no window system: the text is recorded and printed instead of shown.
#include <cstdio>

#include "threeds/diagnostics.h"
#include "threeds/error_box_record.h"

namespace {

std::vector<std::string>& record()
{
    static std::vector<std::string> texts;
    return texts;
}

}  // namespace

int errorBox(const char* text)
{
    record().emplace_back(text);
    std::fprintf(stderr, "error box: %s\n", text);
    return 1;   // IDOK: the only button the box has
}

const std::vector<std::string>& recordedErrorBoxes()
{
    return record();
}

void clearRecordedErrorBoxes()
{
    record().clear();
}
