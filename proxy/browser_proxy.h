// Every selected browser's proxy: the system (WinInet) settings and Firefox.
#pragma once

class BrowserProxy {
  public:
    virtual ~BrowserProxy() = default;
    // Puts the browsers on the local proxy of the tunnel client, with the user's bypass list and
    // the current node's label.
    virtual void ApplyProxySettings() = 0;
    // Takes the browsers back to a direct connection (the user's own proxy options where they had
    // some).
    virtual void ClearBrowserProxy() = 0;
    // Removes the user.js that a restart-mode session left in the Firefox profiles.
    virtual void DeleteFirefoxUserJs() = 0;
    // Whether the browsers are on the program's proxy: a setting call of this run and no clearing
    // call since, or the mark of a run that ended without clearing.
    virtual bool BrowsersOnProxy() const = 0;
    // At start-up: takes the browsers back from the proxy of a run that ended without clearing
    // (a crash, a forced end, a power cut); false when no run left them there.
    virtual bool MendLeftProxy() = 0;
};
