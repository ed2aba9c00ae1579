#include <memory>

#include "tests/support/dialog_answerer_win.h"
#include "tests/threeds/error_box_watch.h"

namespace {

std::unique_ptr<DialogAnswerer>& answerer()
{
    static std::unique_ptr<DialogAnswerer> current;
    return current;
}

}  // namespace

void startWatchingErrorBoxes()
{
    answerer().reset();
    answerer() = std::make_unique<DialogAnswerer>();
}

std::vector<std::string> errorBoxesShown()
{
    if (!answerer())
        return {};
    std::vector<std::string> texts;
    for (const DialogAnswerer::Box& box : answerer()->seen()) {
        if (box.caption == "Error")
            texts.push_back(box.text);
    }
    return texts;
}
