#include "common/zone/zone_read_write.h"
