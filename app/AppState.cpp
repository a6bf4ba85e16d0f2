#include "AppState.h"

TAppState App;
