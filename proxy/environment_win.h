// The environment probes' questions to the running system.
#pragma once

#include "proxy/environment.h"

#include <string>

// The version Windows reports to this program (under Wine: the version set for this executable).
OsVersion QueryOsVersion();

// The time zone text of this moment, from the system's UTC and local clocks.
std::string QueryTimeZoneText();
