#include "tests/support/dialog_answerer_win.h"

#include <cstring>
#include <memory>

namespace {

using Action = std::function<void(HWND)>;
DialogAnswerer* s_answerer = nullptr;
const int kMessageBoxTextId = 0xFFFF;
const int kFileNameControlId = 0x47C;
// On a dialog: the action due for it until its timer runs it; the mark that it was handled.
const char kDueProp[] = "MapwellDueAnswer";
const char kHandledProp[] = "MapwellAnswered";

std::string windowText(HWND window)
{
    char text[2048] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

void pressButton(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(GetDlgItem(dialog, id)));
}

LRESULT CALLBACK cbtHook(int code, WPARAM wParam, LPARAM lParam)
{
    char name[16] = {};
    if (code == HCBT_ACTIVATE && s_answerer && GetClassNameA(HWND(wParam), name, sizeof name) &&
        std::strcmp(name, "#32770") == 0)
        s_answerer->handleActivation(HWND(wParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The action runs from a timer so that it happens inside the dialog's modal loop, after the
// dialog has finished initialising.
void CALLBACK runDueAction(HWND dialog, UINT, UINT_PTR id, DWORD)
{
    KillTimer(dialog, id);
    if (std::unique_ptr<Action> action{static_cast<Action*>(RemovePropA(dialog, kDueProp))})
        (*action)(dialog);
}

// MessageBoxA's flags are not visible on the box's window, so the test program's own import of
// MessageBoxA is pointed at a recorder that passes the call on.
using MessageBoxFn = int(WINAPI*)(HWND, LPCSTR, LPCSTR, UINT);
MessageBoxFn s_realMessageBox = nullptr;

int WINAPI recordingMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT style)
{
    if (s_answerer && !s_answerer->recordMessageBoxCall(text, caption, style))
        return IDOK;
    return s_realMessageBox(owner, text, caption, style);
}

void** findImportSlot(const char* dll, const char* function)
{
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* desc = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress);
         dir.VirtualAddress && desc->Name; ++desc) {
        if (_stricmp(reinterpret_cast<char*>(base + desc->Name), dll) != 0)
            continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + desc->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + desc->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots)
            if (!IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal) &&
                std::strcmp(reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name, function) == 0)
                return reinterpret_cast<void**>(&slots->u1.Function);
    }
    return nullptr;
}

void installMessageBoxRecorder()
{
    void** slot = findImportSlot("user32.dll", "MessageBoxA");
    if (!slot || *slot == reinterpret_cast<void*>(&recordingMessageBox))
        return;
    s_realMessageBox = reinterpret_cast<MessageBoxFn>(*slot);
    DWORD old = 0;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old);
    *slot = reinterpret_cast<void*>(&recordingMessageBox);
    VirtualProtect(slot, sizeof *slot, old, &old);
}

} // namespace

DialogAnswerer::DialogAnswerer(Boxes boxes) : recordOnly_(boxes == Boxes::RecordOnly)
{
    s_answerer = this;
    installMessageBoxRecorder();
    hook_ = SetWindowsHookExA(WH_CBT, cbtHook, nullptr, GetCurrentThreadId());
}

DialogAnswerer::~DialogAnswerer()
{
    if (hook_)
        UnhookWindowsHookEx(hook_);
    s_answerer = nullptr;
}

void DialogAnswerer::pressOnNextBox(int buttonId)
{
    runOnNext([buttonId](HWND dialog) { pressButton(dialog, buttonId); });
}

void DialogAnswerer::typeFileName(const std::string& name)
{
    runOnNext([name](HWND dialog) {
        SetDlgItemTextA(dialog, kFileNameControlId, name.c_str());
        pressButton(dialog, IDOK);
    });
}

std::vector<std::string> DialogAnswerer::boxTexts() const
{
    std::vector<std::string> texts;
    for (const Box& box : seen_)
        if (!box.text.empty())
            texts.push_back(box.text);
    return texts;
}

bool DialogAnswerer::recordMessageBoxCall(const char* text, const char* caption, unsigned style)
{
    seen_.push_back(Box{text ? text : "", caption ? caption : "Error", style});
    boxRecorded_ = !recordOnly_;
    return !recordOnly_;
}

void DialogAnswerer::handleActivation(HWND dialog)
{
    // A dialog is activated again whenever a box it showed closes; answer each one once.
    if (GetPropA(dialog, kHandledProp))
        return;
    SetPropA(dialog, kHandledProp, HANDLE(1));
    HWND textControl = GetDlgItem(dialog, kMessageBoxTextId);
    if (!textControl || !boxRecorded_)   // a box of another module's call is read off its window
        seen_.push_back(Box{textControl ? windowText(textControl) : "", windowText(dialog), 0});
    boxRecorded_ = false;

    Action action = [textControl](HWND d) { pressButton(d, textControl ? IDOK : IDCANCEL); };
    if (!queue_.empty()) {
        action = std::move(queue_.front());
        queue_.pop_front();
    }
    SetPropA(dialog, kDueProp, new Action(std::move(action)));
    SetTimer(dialog, 0xA115, 10, runDueAction);
}
