// The system's broken-down time as the portable date-time.
#pragma once

#include "common/date_time.h"

#include <windows.h>

inline LocalDateTime ToLocalDateTime(const SYSTEMTIME& time) {
    return {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond, time.wMilliseconds};
}
