// What a message dialog shows, decided before any window exists: the icon for a message kind,
// the buttons a button set fills in with their captions and results, which button answers
// Escape or Enter, and the text that Ctrl+C copies.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

enum class MessageKind { Warning = 0, Error = 1, Information = 2, Confirmation = 3, Custom = 4 };

// A set of button kinds, one bit each: 0 Yes, 1 No, 2 OK, 3 Cancel, 4 Abort, 5 Retry, 6 Ignore,
// 7 All, 8 No to All, 9 Yes to All, 10 Help.
using ButtonSet = std::uint16_t;
inline constexpr ButtonSet kButtonsOK = 4, kButtonsYesNo = 3;

// Modal results: what ShowMessageBox returns for the button pressed. Closing the dialog through
// its frame gives kResultCancel. A button with kResultNone does not close the dialog.
inline constexpr int kResultNone = 0, kResultOK = 1, kResultCancel = 2, kResultAbort = 3, kResultRetry = 4,
                     kResultIgnore = 5, kResultYes = 6, kResultNo = 7, kResultAll = 8, kResultNoToAll = 9,
                     kResultYesToAll = 10;

// The picture left of the message; Warning to Help are the images of the "MSGDLG" bitmap in order.
enum class IconType { None = 0, Warning = 1, Stop = 2, Information = 3, Help = 4 };

struct DialogButton {
    std::string caption;
    int result = kResultNone;
    bool operator==(const DialogButton&) const = default;
};

// One message dialog as the program shows it.
struct MessageDialog {
    std::string caption;
    std::string text;
    IconType icon = IconType::None;
    std::vector<DialogButton> buttons;  // the slots, left to right; at most kMaxButtons
};

inline constexpr std::size_t kMaxButtons = 3;

// One of the system's own button texts (user32 string resources 800 to 808); empty when the
// system has none.
using SystemTextLookup = std::function<std::string(unsigned stringId)>;

IconType IconTypeFor(MessageKind kind);

// Walks the kinds of `buttons` in bit order into at most three slots. A caption the system
// cannot supply falls back to the usual English one, so no button is ever blank.
std::vector<DialogButton> FillButtonSlots(ButtonSet buttons, const SystemTextLookup& systemText);

// The dialog of ShowMessageBox.
MessageDialog SkinMessageDlg(const std::string& text,
                             const std::string& caption,
                             MessageKind kind,
                             ButtonSet buttons,
                             const SystemTextLookup& systemText);

// The dialog of ShowNotice: one "&OK" button and the warning icon.
MessageDialog NoticeDialog(const std::string& caption, const std::string& text);

// Escape presses only a button that cancels; a button is the default only when it says OK.
bool AnswersEscape(const DialogButton& button);
bool IsDefaultButton(const DialogButton& button);

// What Ctrl+C puts on the clipboard: caption, text and the visible button captions (rightmost
// first, the order the buttons are created in) between lines of hyphens, CR LF line ends.
std::string ClipboardText(const MessageDialog& dialog);
