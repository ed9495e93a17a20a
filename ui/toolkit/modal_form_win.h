// ModalForm: the one skeleton of the program's own modal dialogs. A form declares its controls
// as a table of rows and answers a few events; the base makes the window from an empty dialog
// template, creates the rows in the skin's font at the screen's DPI, answers the skin's colours,
// draws the owner-drawn buttons, sizes and centres the frame, and runs the modal loop until the
// form says it is finished. While the loop runs, the thread's other windows are disabled.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "common/unique_handle_win.h"
#include "common/window_base_win.h"
#include "ui/toolkit/layout_box.h"
#include "ui/toolkit/skin.h"
#include "ui/toolkit/skin_paint_win.h"

// One control of a form: a child window of `windowClass` showing `text`.
struct ControlRow {
    int id;
    const char* windowClass;
    const char* text;
    DWORD style;    // WS_CHILD is added; a control that shows at once says WS_VISIBLE
    LayoutBox box;  // in the form's design units
};

// The pixels a design is given in: drawn at 96 DPI and scaled to the screen's, or the screen's
// own (a layout already computed at the screen's DPI).
enum class DesignUnits { At96Dpi, Screen };

// What a form shows when its window is made.
struct FormDesign {
    const char* caption = "";
    std::vector<ControlRow> controls;  // created in this order, which is the tab order
    int clientWidth = 0, clientHeight = 0;
    DesignUnits units = DesignUnits::At96Dpi;  // of the boxes and the client size
    int defaultButton = 0;                     // 0: none
    int focus = 0;                             // the control focused first; 0: the dialog manager's choice
};

class ModalForm : public WindowBase {
  public:
    ~ModalForm() override;  // the window goes before the fonts and bitmaps it shows

    // Shows the form centred on the work area and runs the thread's messages until Finished()
    // holds or the window is gone; a WM_QUIT is posted again for the caller's loop. False when
    // the window could not be made.
    bool ShowModal();

  protected:
    enum class Frame { Closable, WithoutCloseButton };
    ModalForm(const Skin& skin, Frame frame);

    // The form's part.
    virtual FormDesign Design() const = 0;
    // Once the rows exist: what no row says (images, list items, states).
    virtual void ControlsCreated() {}
    // Once, as the form first shows.
    virtual void FormShow() {}
    // A control's notification, or IDOK / IDCANCEL from the dialog manager's Enter and Escape.
    virtual void OnCommand(int id, int code) = 0;
    // The frame's close command.
    virtual void OnClose() = 0;
    // True once the form has its result: the modal loop ends.
    virtual bool Finished() const = 0;
    // A key pressed in the form, before the dialog manager sees it; true when the form took it.
    virtual bool PreviewKey(WPARAM) { return false; }

    UINT Dpi() const { return dpi_; }
    const SkinPaint& Paint() const { return paint_; }
    HWND Control(int id) const { return GetDlgItem(Handle(), id); }
    // A box of the 96-DPI design in the screen's pixels.
    RECT ScreenRect(const LayoutBox& designBox) const;

    // The button drawn as the default, which the dialog manager's Enter presses.
    void SetDefaultButton(int id);
    // Enter as the message dialogs take it: presses the focused button, or else the default one.
    void PressFocusedOrDefaultButton() const;
    // Shows `bitmap` in the static control `id`; the form keeps it while its window exists.
    void ShowBitmap(int id, UniqueGdi<HBITMAP> bitmap);

  private:
    std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) final;
    void RunModalLoop(HWND form);
    // WM_INITDIALOG's answer: FALSE when the form set the focus itself.
    LRESULT CreateControls();
    bool IsOwnButton(HWND window) const;

    DWORD style_;
    UINT dpi_;
    SkinPaint paint_;
    std::vector<UniqueGdi<HBITMAP>> bitmaps_;
    int defaultButton_ = 0;
    bool shown_ = false;
};
