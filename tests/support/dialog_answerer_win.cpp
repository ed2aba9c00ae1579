#include "tests/support/dialog_answerer_win.h"

#include <algorithm>
#include <cstring>

namespace {

DialogAnswerer* s_answerer = nullptr;
const UINT_PTR kAnswerTimer = 0xA115;
const int kMessageBoxTextId = 0xFFFF;
const int kFileNameControlId = 0x47C;

bool isDialogClass(HWND window)
{
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    return std::strcmp(name, "#32770") == 0;
}

std::string windowText(HWND window)
{
    char text[2048] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

void pressButton(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

LRESULT CALLBACK cbtHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && s_answerer) {
        HWND window = reinterpret_cast<HWND>(wParam);
        if (isDialogClass(window))
            s_answerer->handleActivation(window);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The action for a dialog runs from a timer so that it happens inside the dialog's modal loop,
// after the dialog has finished initialising.
std::deque<std::pair<HWND, std::function<void(HWND)>>> s_due;

void CALLBACK runDueAction(HWND window, UINT, UINT_PTR id, DWORD)
{
    KillTimer(window, id);
    auto it = std::find_if(s_due.begin(), s_due.end(),
                           [window](const auto& due) { return due.first == window; });
    if (it == s_due.end())
        return;
    auto action = it->second;
    s_due.erase(it);
    action(window);
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
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (dir.VirtualAddress == 0)
        return nullptr;
    for (auto* desc = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress);
         desc->Name != 0; ++desc) {
        if (_stricmp(reinterpret_cast<char*>(base + desc->Name), dll) != 0)
            continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + desc->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + desc->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<char*>(byName->Name), function) == 0)
                return reinterpret_cast<void**>(&slots->u1.Function);
        }
    }
    return nullptr;
}

void patchSlot(void** slot, void* value)
{
    DWORD old = 0;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old);
    *slot = value;
    VirtualProtect(slot, sizeof *slot, old, &old);
}

void installMessageBoxRecorder()
{
    void** slot = findImportSlot("user32.dll", "MessageBoxA");
    if (!slot || *slot == reinterpret_cast<void*>(&recordingMessageBox))
        return;
    s_realMessageBox = reinterpret_cast<MessageBoxFn>(*slot);
    patchSlot(slot, reinterpret_cast<void*>(&recordingMessageBox));
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
    s_due.clear();
    s_answerer = nullptr;
}

void DialogAnswerer::pressOnNextBox(int buttonId)
{
    queue_.push_back([buttonId](HWND dialog) { pressButton(dialog, buttonId); });
}

void DialogAnswerer::typeFileName(const std::string& name)
{
    queue_.push_back([name](HWND dialog) {
        SetDlgItemTextA(dialog, kFileNameControlId, name.c_str());
        pressButton(dialog, IDOK);
    });
}

void DialogAnswerer::cancelNext()
{
    queue_.push_back([](HWND dialog) { pressButton(dialog, IDCANCEL); });
}

void DialogAnswerer::runOnNext(std::function<void(HWND)> action)
{
    queue_.push_back(std::move(action));
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
    pendingBox_ = Box{text ? text : "", caption ? caption : "Error", style};
    if (recordOnly_)
        seen_.push_back(pendingBox_);
    boxPending_ = !recordOnly_;
    return !recordOnly_;
}

void DialogAnswerer::handleActivation(HWND dialog)
{
    // A dialog is activated again whenever a box it showed closes; answer each one once.
    handled_.erase(std::remove_if(handled_.begin(), handled_.end(),
                                  [](HWND w) { return !IsWindow(w); }),
                   handled_.end());
    if (std::find(handled_.begin(), handled_.end(), dialog) != handled_.end())
        return;
    handled_.push_back(dialog);

    HWND textControl = GetDlgItem(dialog, kMessageBoxTextId);
    bool isMessageBox = textControl != nullptr;
    Box box;
    box.caption = windowText(dialog);
    if (isMessageBox) {
        box.text = windowText(textControl);
        if (boxPending_ && pendingBox_.text == box.text)
            box.style = pendingBox_.style;
        boxPending_ = false;
    }
    seen_.push_back(box);

    Action action;
    if (!queue_.empty()) {
        action = std::move(queue_.front());
        queue_.pop_front();
    } else if (isMessageBox) {
        action = [](HWND d) { pressButton(d, IDOK); };
    } else {
        action = [](HWND d) { pressButton(d, IDCANCEL); };
    }
    s_due.emplace_back(dialog, std::move(action));
    SetTimer(dialog, kAnswerTimer, 10, runDueAction);
}
