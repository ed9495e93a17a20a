// Some Windows tests are run again by CTest under a chosen LANG or TZ (see the CMakeLists.txt
// beside them), which also sets MASQ_ENVIRONMENT_CASE. In the plain run they skip.
#pragma once

#include <cstdlib>

// The value chosen for `variable` in this run; nullptr in the plain run.
inline const char* ChosenEnvironment(const char* variable) {
    return std::getenv("MASQ_ENVIRONMENT_CASE") ? std::getenv(variable) : nullptr;
}
