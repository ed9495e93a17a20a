// Resource identifiers shared by masqng.rc and the code that loads them.
#pragma once

#define IDI_APP 1

// The busy animation's frames, in order, and the tray's on and off icons.
#define IDI_BUSY_0 101
#define IDI_BUSY_1 102
#define IDI_BUSY_2 103
#define IDI_BUSY_3 104
#define IDI_BUSY_4 105
#define IDI_BUSY_5 106
#define IDI_BUSY_6 107
#define IDI_STATUS_ON 110
#define IDI_STATUS_OFF 111
