#pragma once
// Message dispatch, receivers and fonts.
#include "Dispatch.h"
#include "Fonts.h"
