#include "tests/threeds/error_box_watch.h"

#include "threeds/error_box_record.h"

void startWatchingErrorBoxes()
{
    clearRecordedErrorBoxes();
}

std::vector<std::string> errorBoxesShown()
{
    return recordedErrorBoxes();
}
