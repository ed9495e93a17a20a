// The tunnel session as the main form sees it.
#pragma once

class Tunnel {
  public:
    virtual ~Tunnel() = default;
    // Stops the status polling and ends a running tunnel client.
    virtual void Sweep() = 0;
    // The tray's hide and stop commands: the browsers onto the running tunnel, or back off it.
    virtual void TurnHidingOn() = 0;
    virtual void TurnHidingOff() = 0;
};
