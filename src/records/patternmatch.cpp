#include "records/patternmatch.h"
