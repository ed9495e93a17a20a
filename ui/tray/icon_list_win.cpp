#include "ui/tray/icon_list_win.h"

#include "resources/resource_ids.h"

IconList::IconList(std::initializer_list<int> resourceIds, int size) {
    for (int id : resourceIds) {
        icons_.emplace_back(static_cast<HICON>(
            LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
    }
}

HICON IconList::At(int index) const {
    return index >= 0 && index < Count() ? icons_[index].Get() : nullptr;
}

int TrayIconSize() {
    return GetSystemMetrics(SM_CXSMICON);
}

IconList LoadBusyImages() {
    return IconList({IDI_BUSY_0, IDI_BUSY_1, IDI_BUSY_2, IDI_BUSY_3, IDI_BUSY_4, IDI_BUSY_5, IDI_BUSY_6},
                    TrayIconSize());
}

IconList LoadStatusImages() {
    return IconList({IDI_STATUS_ON, IDI_STATUS_OFF}, TrayIconSize());
}
