// An image list of icons from this module's resources, all of one size: the tray's imlBusy and
// imlStatus.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <vector>

#include "common/unique_handle_win.h"

class IconList {
  public:
    IconList(std::initializer_list<int> resourceIds, int size);

    int Count() const { return int(icons_.size()); }
    HICON At(int index) const;  // nullptr outside the list or for an icon that could not be read

  private:
    std::vector<UniqueIcon> icons_;
};

// The size of the tray's icons at the screen's DPI (16 at 96 DPI, 24 at 150 %).
int TrayIconSize();

// imlBusy: the seven frames of the busy animation.
IconList LoadBusyImages();
// imlStatus: 0 hiding on, 1 hiding off.
IconList LoadStatusImages();
