// What TfrmUpdate does, without its window: FormShow and the download's three handlers.
//
// The download comes in two parts from the maker's site: first the installer's detached
// signature ("/download/masqng.exe.sig", small, no progress shown), then the installer itself
// with the progress bar following every piece. A complete installer runs only when it carries
// the maker's signature (and matches the SHA-256 the directory reply named, when it named one);
// otherwise both files are deleted and the user is told. Any failure leaves the dialog open
// with its "&Close" button, the one way the user dismisses it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "update/http_get.h"
#include "common/makers_crypto.h"
#include "update/installer_launcher.h"
#include "update/update_dialog.h"

class UpdateView {  // the form, as the logic drives it
  public:
    virtual ~UpdateView() = default;
    virtual void SetProgress(std::int32_t position, std::int32_t maximum) = 0;
    // The plain system message box over the dialog, captioned with the application title.
    virtual void ShowError(const std::string& text) = 0;
    // Shows the dialog's "&Close" button.
    virtual void AllowDismiss() = 0;
    // Ends the modal loop.
    virtual void CloseDialog(UpdateOutcome outcome) = 0;
};

struct UpdatePorts {
    DownloadPorts download;
    MakersCrypto& crypto;
    InstallerLauncher& launcher;
    std::function<void()> closeMainForm;  // runs once the installer has started
};

class UpdateLogic {
  public:
    UpdateLogic(UpdateOffer offer, UpdatePorts ports);

    // The form, while it exists. Detaching stops a running download: none of its events reaches
    // the form once it is gone.
    void AttachView(UpdateView& view) { view_ = &view; }
    void DetachView();

    // Starts the download; nothing without a view.
    void FormShow();
    void HTTPGetFileProgress(std::int32_t totalSize, std::int32_t readed);
    void HTTPGetFileDoneFile(const std::string& fileName, std::int32_t fileSize);
    void HTTPGetFileError();
    // The "&Close" button, Escape or the window's close command: honoured once a failure has
    // been shown, ignored while the download runs.
    void btnCloseClick();

  private:
    enum class Stage { kIdle, kSignature, kInstaller, kStarted, kFailed };

    std::string InstallerFile() const;  // the data folder + "masqng-update.exe"
    std::string SignatureFile() const;

    void Download(const std::string& url, const std::string& fileName);
    void RunIfGenuine();
    void Fail(const char* text);

    UpdateOffer offer_;
    UpdatePorts ports_;
    UpdateView* view_ = nullptr;
    std::unique_ptr<THTTPGet> download_;  // created by FormShow, runs while the view is attached
    Stage stage_ = Stage::kIdle;
};
