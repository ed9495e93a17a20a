// The browser guide shown on the first run and by the Help command.
#pragma once

class Tour {
  public:
    virtual ~Tour() = default;
    virtual void ShowTour() = 0;
};
