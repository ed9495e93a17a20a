#include "update/update_logic.h"

#include <utility>

#include "update/download_url.h"
#include "update/installer_check.h"
#include "update/update_texts.h"

UpdateLogic::UpdateLogic(UpdateOffer offer, UpdatePorts ports) : offer_(std::move(offer)), ports_(std::move(ports)) {}

void UpdateLogic::DetachView() {
    download_.reset();
    view_ = nullptr;
}

std::string UpdateLogic::InstallerFile() const {
    return offer_.dataFolder + update_text::kInstallerFileName;
}

std::string UpdateLogic::SignatureFile() const {
    return InstallerFile() + update_text::kSignatureSuffix;
}

void UpdateLogic::FormShow() {
    if (stage_ != Stage::kIdle || !view_)
        return;
    download_ = std::make_unique<THTTPGet>(ports_.download);
    download_->Agent = update_text::kAgent;
    download_->AcceptTypes = update_text::kAcceptTypes;
    download_->OnProgress = [this](std::int32_t total, std::int32_t readed) { HTTPGetFileProgress(total, readed); };
    download_->OnDoneFile = [this](const std::string& file, std::int32_t size) { HTTPGetFileDoneFile(file, size); };
    download_->OnError = [this] { HTTPGetFileError(); };
    stage_ = Stage::kSignature;
    Download(SignatureUrl(offer_.webHost), SignatureFile());
}

void UpdateLogic::Download(const std::string& url, const std::string& fileName) {
    download_->URL = url;
    download_->FileName = fileName;
    download_->StartFileDownload();
}

void UpdateLogic::HTTPGetFileProgress(std::int32_t totalSize, std::int32_t readed) {
    if (stage_ == Stage::kInstaller)
        view_->SetProgress(readed, totalSize);
}

void UpdateLogic::HTTPGetFileDoneFile(const std::string&, std::int32_t) {
    if (stage_ == Stage::kSignature) {
        stage_ = Stage::kInstaller;
        Download(InstallerUrl(offer_.webHost), InstallerFile());
    } else if (stage_ == Stage::kInstaller) {
        RunIfGenuine();
    }
}

void UpdateLogic::RunIfGenuine() {
    const bool genuine = IsGenuineInstaller(InstallerFile(), SignatureFile(), offer_.expectedSha256, ports_.crypto,
                                            *ports_.download.files);
    ports_.download.files->Remove(SignatureFile());
    if (!genuine) {
        ports_.download.files->Remove(InstallerFile());
        Fail(update_text::kFailedVerification);
        return;
    }
    // An installer that would not start must not cost the user the running program.
    if (!ports_.launcher.Start(InstallerFile())) {
        Fail(update_text::kDownloadError);
        return;
    }
    stage_ = Stage::kStarted;
    if (ports_.closeMainForm)
        ports_.closeMainForm();
    view_->CloseDialog(UpdateOutcome::kInstallerStarted);
}

void UpdateLogic::HTTPGetFileError() {
    Fail(update_text::kDownloadError);
}

void UpdateLogic::Fail(const char* text) {
    stage_ = Stage::kFailed;
    view_->AllowDismiss();
    view_->ShowError(text);
}

void UpdateLogic::btnCloseClick() {
    if (stage_ == Stage::kFailed && view_)
        view_->CloseDialog(UpdateOutcome::kDismissed);
}
