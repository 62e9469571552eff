#include "records/datalist.h"
