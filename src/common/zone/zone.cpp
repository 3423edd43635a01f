#include "common/zone/zone.h"

uint16_t N_OF_CLOCKS = 0;
uint16_t BOUNDS_SIZE = 0;
uint16_t EDGES_SIZE = 0;
uint16_t N_OF_EXTRA_CLOCKS = 0;
uint16_t AFFECT_SIZE = 0;
char **clocks_names = nullptr;
