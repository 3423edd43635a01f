#include "common/zone/zone_hash.h"

int HASH_FCT = 1;
