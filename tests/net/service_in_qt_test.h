#pragma once
// The service harness in a test that includes Qt too: Qt makes "signals" a macro, which the
// service's headers use as a plain name.

#ifdef signals
#undef signals
#include "service_harness.h"
#define signals Q_SIGNALS
#else
#include "service_harness.h"
#endif
