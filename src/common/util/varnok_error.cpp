#include "common/util/varnok_error.h"

#include <cstdarg>
#include <cstdio>

#include "common/util/my_files.h"

// Clock names by index, owned by the zone module.
extern char **clocks_names;

// Name of clock i for messages 13 to 15.
static const char *clock_name_for_message(int i) {
  return clocks_names != nullptr && i >= 0 ? clocks_names[i] : "?";
}

void printerr(int code, ...) {
  int a[4] = {0, 0, 0, 0};
  va_list ap;
  va_start(ap, code);
  for (int k = 0; k < 4; k++) {
    int v = va_arg(ap, int);
    if (v == -1) break;
    a[k] = v;
  }
  va_end(ap);
  switch (code) {
    case 0: fprintf(stderr, "%s: something's wrong somewhere\n", tool); break;
    case 1: fprintf(stderr, "%s: Warning: the invariant at state %d is false\n", tool, a[0]); break;
    case 2: fprintf(stderr, "%s: Warning: the invariant at state %d is not closed, I closed it\n", tool, a[0]); break;
    case 3:
      fprintf(stderr, "%s: Warning: transition %d from %d to %d is not enabled, I ignored it\n", tool, a[0], a[1], a[2]);
      break;
    case 4: fprintf(stderr, "%s: ERROR: there are more transitions (%d) than declared (%d)\n", tool, a[0], a[1]); break;
    case 5: fprintf(stderr, "%s: ERROR: there are less states (%d) than declared (%d)\n", tool, a[0], a[1]); break;
    case 6: fprintf(stderr, "%s: ERROR: missing state %d\n", tool, a[0]); break;
    case 7: fprintf(stderr, "%s: ERROR: there are more states (%d) than declared (%d)\n", tool, a[0], a[1]); break;
    case 8: fprintf(stderr, "%s: ERROR: the number of states must be less than %d\n", tool, a[0]); break;
    case 9: fprintf(stderr, "%s: ERROR: the number of transitions must be less than %d\n", tool, a[0]); break;
    case 10: fprintf(stderr, "%s: ERROR: the number of clocks must be less than %d\n", tool, a[0]); break;
    case 11: fprintf(stderr, "%s: ERROR: there are more clocks (%d) than declared (%d)\n", tool, a[0], a[1]); break;
    case 12: fprintf(stderr, "%s: ERROR: invalid state %d in transitions %d\n", tool, a[0], a[1]); break;
    case 13: fprintf(stderr, "%s: Warning: clock %s is self-affected\n", tool, clock_name_for_message(a[0])); break;
    case 14: fprintf(stderr, "%s: Warning: clock %s is affected twice\n", tool, clock_name_for_message(a[0])); break;
    case 15:
      fprintf(stderr, "%s: Warning: %d replaced by 0 in %s := %d\n", tool, a[1], clock_name_for_message(a[0]), a[1]);
      break;
    default: fprintf(stderr, "%s: I don't know error code %d\n", tool, code); break;
  }
}
