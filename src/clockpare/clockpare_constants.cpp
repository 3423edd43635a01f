#include "clockpare/clockpare_constants.h"

#include "clockpare/clockpare_options.h"
#include "common/util/my_files.h"

const char *tool = "clockpare";
const char Version[] = "2.4";
const char Release[] = ".3";
const char Arch[] = "i686";
const char Date[] = VARNOK_BUILD_DATE;

uint32_t OPT_SET = OPT_ACTIVITY | OPT_EQUALITY;
