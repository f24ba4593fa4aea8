#pragma once

// The table file library's header declares its functions without C linkage.
extern "C" {
#include <paradox.h>
}
