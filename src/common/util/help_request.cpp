#include "common/util/help_request.h"

#include <cstring>

HelpRequest help_request(int count, char **args) {
  for (int k = 0; k < count; k++) {
    if (strcmp(args[k], "--help") == 0) return HelpRequest::help;
    if (strcmp(args[k], "--version") == 0) return HelpRequest::version;
  }
  return HelpRequest::none;
}
