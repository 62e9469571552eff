#include "tracking/appswitch.h"
