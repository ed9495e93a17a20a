#include "app/masq_program_win.h"

#include "directory/directory_texts.h"
#include "directory/reply_parser.h"
#include "ui/advice/browser_tour.h"

MasqProgram::MasqProgram(WindowBase::ErrorDisplay showError) : showError_(showError) {
    RouteMainForm();
}

bool MasqProgram::Start() {
    if (!frmMain_.Create())
        return false;
    hotkeyRegistrar_.AttachTo(frmMain_.Handle());
    try {
        if (!logic_.InitMain())
            return false;
    } catch (const std::exception& error) {
        // A failure nothing caught ends the command that raised it, not the program.
        showError_(error);
    }
    return !frmMain_.Closed();
}

void MasqProgram::RouteMainForm() {
    frmMain_.routes = {
        .FormShow = [this] { logic_.FormShow(); },
        .btnOKClick = [this] { logic_.btnOKClick(); },
        .suiButton1Click = [this] { logic_.suiButton1Click(); },
        .closeCommand = [this] { logic_.CloseCommand(); },
        .FormClose = [this] { logic_.FormClose(); },
        .WMEndSessionQuery = [this] { return logic_.WMEndSessionQuery(); },
        .WMEndSession = [this](bool sessionEnds) { logic_.WMEndSession(sessionEnds); },
        .help = [this] { ShowTour(); },
        .aboutLink = [this](AboutLink link) { logic_.OpenAboutLink(link); },
        .menuCommand =
            [this](TrayMenuItem item) {
                switch (item) {
                    case TrayMenuItem::Masq1:
                        return tunnel_.Masq1Click();
                    case TrayMenuItem::StopMasq1:
                        return tunnel_.StopMasq1Click();
                    case TrayMenuItem::SelectIP1:
                        return selection_.SelectIP1Click();
                    case TrayMenuItem::SeeMyIP1:
                        return logic_.SeeMyIP1Click();
                    case TrayMenuItem::Options1:
                        return logic_.Options1Click();
                    case TrayMenuItem::Report1:
                        return logic_.Report1Click();
                    case TrayMenuItem::Help1:
                        return ShowTour();
                    case TrayMenuItem::About1:
                        return logic_.About1Click();
                    case TrayMenuItem::Exit1:
                        return logic_.Exit1Click();
                }
            },
        .WMHotKey = [this](int id) { hotkeys_.WMHotKey(id); },
    };
    frmMain_.timRead.OnTimer = [this] { tunnel_.timReadTimer(); };
    frmMain_.timReset.OnTimer = [this] { tunnel_.timResetTimer(); };
}

void MasqProgram::ShowTour() {
    ::ShowTour(values_.Site, TourPorts{registry_, shell_, messages_});
}

void MasqProgram::ShowUnblockAdvice(UnblockAdvice kind) {
    unblockAdvisor_.ShowUnblockAdvice(kind);
}

bool MasqProgram::OfferUpdate(const ReplyLines& reply) {
    const UpdateOffer offer{values_.SkinPath, values_.DataFolder, values_.Site.webHost,
                            reply.Value(directory_text::kNewVersionSha256Name)};
    return updateDialog_.ShowUpdateDialog(offer) != UpdateOutcome::kInstallerStarted;
}
