// The names a formula could have meant: the candidates of the "did you
// mean" hints of the compiler-style lines about unknown names.
#pragma once

#include <string>
#include <vector>

// The propositions of the loaded graph or network for which carried(name)
// holds (the ones some location carries), each once, INIT included.
std::vector<std::string> carried_proposition_names(bool (*carried)(const char *));

// The clocks of the loaded model (without the formula's extra clocks).
std::vector<std::string> model_clock_names();
