#include "common/zone/bit_array.h"

uint16_t BITS_PER_ARRAY = 0;
uint16_t BIT_ARRAY_LEN = 0;
