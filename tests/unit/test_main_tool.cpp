// The unit tests speak as the model checker.
const char *tool = "varnok";
