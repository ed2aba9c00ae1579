#pragma once
// Answers the modal dialogs a test makes the program show, in-process and without waiting.
//
// While a DialogAnswerer lives, a WH_CBT hook on the calling thread sees every "#32770" window
// (message box, common file dialog, resource dialog) that activates. Each one is handled by the
// next queued action, from a timer that fires inside the dialog's own modal loop. With nothing
// queued, a message box is answered IDOK and any other dialog is cancelled, so a test never
// hangs on a box it did not expect; `seen()` then tells what was shown.
// Made with `Boxes::RecordOnly`, it records the program's MessageBoxA calls and answers IDOK
// without showing them: for checking many texts once one real box has shown that path works.
#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

class DialogAnswerer {
public:
    struct Box {
        std::string text;     // a message box's text; empty for other dialogs
        std::string caption;  // the dialog's title
        unsigned style = 0;   // the MB_* flags a message box was shown with; 0 for other dialogs
    };

    enum class Boxes { Show, RecordOnly };
    explicit DialogAnswerer(Boxes boxes = Boxes::Show);
    ~DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    // Runs `action` on the next dialog; the action must end that dialog.
    void runOnNext(std::function<void(HWND dialog)> action) { queue_.push_back(std::move(action)); }
    void pressOnNextBox(int buttonId);
    void cancelNext() { pressOnNextBox(IDCANCEL); }
    void typeFileName(const std::string& name);

    const std::vector<Box>& seen() const { return seen_; }
    // Texts of the message boxes seen, in order.
    std::vector<std::string> boxTexts() const;

    // Called by the hook machinery; not for tests.
    void handleActivation(HWND dialog);
    // Returns whether the box is to be shown.
    bool recordMessageBoxCall(const char* text, const char* caption, unsigned style);

private:
    std::deque<std::function<void(HWND)>> queue_;
    std::vector<Box> seen_;
    HHOOK hook_ = nullptr;
    bool recordOnly_ = false;
    bool boxRecorded_ = false;   // the box about to activate was recorded at its MessageBoxA call
};
