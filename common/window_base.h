// Bases of every window and dialog the program creates. The static procedure finds the C++
// object through the pointer handed over at creation (WM_NCCREATE / WM_INITDIALOG), and an
// exception barrier keeps C++ exceptions from unwinding through user32.
#pragma once

#include <windows.h>

class WindowBase {
  public:
    WindowBase() = default;
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;
    virtual ~WindowBase();

    HWND Handle() const { return hwnd_; }

  protected:
    // Registers the class on first use in this process and creates the window for this object.
    bool Create(const char* className,
                DWORD exStyle,
                DWORD style,
                const char* title,
                RECT bounds,
                HWND parent,
                HMENU menuOrId = nullptr);
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    static LRESULT CALLBACK StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
};

class DialogBase {
  public:
    DialogBase() = default;
    DialogBase(const DialogBase&) = delete;
    DialogBase& operator=(const DialogBase&) = delete;
    virtual ~DialogBase();

    HWND Handle() const { return hwnd_; }

  protected:
    // A modeless dialog from the template `templateName` of this module.
    bool CreateModeless(const char* templateName, HWND parent);
    // A child dialog from a template in memory (pages and run-time built dialogs).
    bool CreateIndirect(const DLGTEMPLATE* dialogTemplate, HWND parent);
    // Return TRUE when the message was handled, as a dialog procedure does.
    virtual INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

  private:
    static INT_PTR CALLBACK StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
};
