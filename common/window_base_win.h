// The base of every window and dialog the program creates. The static procedure finds the C++
// object through the pointer handed over at creation (WM_NCCREATE / WM_INITDIALOG), and an
// exception barrier keeps C++ exceptions from unwinding through user32.
//
// A window and a dialog differ only in how a message they leave alone is answered (DefWindowProc,
// or the dialog manager) and in how a result travels back (the procedure's return value, or
// DWLP_MSGRESULT); HandleMessage is the same for both.
#pragma once

#include <windows.h>

#include <exception>
#include <optional>

class WindowBase {
  public:
    WindowBase() = default;
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;
    virtual ~WindowBase();  // destroys the window if it still exists

    HWND Handle() const { return hwnd_; }

    // What becomes of an exception a handler let through: the program's error display shows it,
    // and the message gets the default handling. Without a display the exception is dropped.
    using ErrorDisplay = void (*)(const std::exception& error);
    static void SetErrorDisplay(ErrorDisplay display) { errorDisplay_ = display; }

  protected:
    // A window of `className`, registered on first use in this process.
    bool CreateWindowOf(const char* className,
                        DWORD exStyle,
                        DWORD style,
                        const char* title,
                        RECT bounds,
                        HWND parent,
                        HMENU menuOrId = nullptr);
    // A modeless dialog from the template `templateName` of this module.
    bool CreateDialogFrom(const char* templateName, HWND parent);
    // A dialog from a template in memory (pages and run-time built dialogs).
    bool CreateDialogFromTemplate(const DLGTEMPLATE* dialogTemplate, HWND parent);

    // The answer to a message, or nothing for the default handling.
    virtual std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

  private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // The object's answer; nothing when there is no object yet or it did not handle the message.
    static std::optional<LRESULT> Dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    static inline ErrorDisplay errorDisplay_ = nullptr;
    HWND hwnd_ = nullptr;
};
