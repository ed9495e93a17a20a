// Resource identifiers shared by masqng.rc and the code that loads them.
#pragma once

#define IDI_APP 1
