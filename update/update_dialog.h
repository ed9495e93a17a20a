// The update as the rest of the program sees it: one call, made when the directory reply says
// that a new version is needed ("NewVersion=1").
#pragma once

#include <string>

struct UpdateOffer {
    std::string skinPath;        // the forms' skin file (ProgramValues::SkinPath)
    std::string dataFolder;      // ProgramValues::DataFolder, ending in a backslash
    std::string webHost;         // the maker's web host (MakerSite::webHost)
    std::string expectedSha256;  // the reply's "NewVersionSHA256" value; empty when it has none
};

enum class UpdateOutcome {
    kInstallerStarted,  // the verified installer runs and the main form has been asked to close
    kDismissed,         // the download or its check failed and the user closed the dialog
};

class UpdateDialog {
  public:
    virtual ~UpdateDialog() = default;

    // Shows TfrmUpdate modally: downloads the installer and its signature from the maker's
    // site, checks them, starts the installer and closes the main form. Returns when the dialog
    // has closed; after kInstallerStarted the caller goes no further, as the program is ending.
    virtual UpdateOutcome ShowUpdateDialog(const UpdateOffer& offer) = 0;
};
