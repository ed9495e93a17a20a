#include "update/update_dialog_win.h"

#include <memory>

#include "common/cng_makers_crypto_win.h"
#include "ui/toolkit/skin_paint_win.h"
#include "update/download_files_win.h"
#include "update/frm_update_win.h"
#include "update/installer_launcher_win.h"
#include "update/stall_timer_win.h"
#include "update/wininet_http_client_win.h"
#include "update/worker_threads_win.h"

UpdateOutcome WinUpdateDialog::ShowUpdateDialog(const UpdateOffer& offer) {
    WinWorkerThreads threads;  // outlives the logic and the form: a call the worker sent is never left half-run
    WinStallTimer stallTimer;
    CngMakersCrypto crypto;
    WinInstallerLauncher launcher;
    UpdateLogic logic(offer, UpdatePorts{{std::make_shared<WinInetHttpClient>(),
                                          std::make_shared<WinDownloadFiles>(), threads, stallTimer},
                                         crypto,
                                         launcher,
                                         closeMainForm_});
    // Goes before the logic, stopping its download on the way out.
    TfrmUpdate frmUpdate(logic, LoadSkinFile(offer.skinPath));
    frmUpdate.ShowModal();
    return frmUpdate.Outcome();
}
