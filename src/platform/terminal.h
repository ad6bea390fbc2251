#pragma once
// Whether a standard stream reaches a person at a terminal, so progress can be drawn in
// place there and left out of files and pipes.

#include <cstdio>

namespace tavo {

bool IsTerminal(std::FILE* stream);

} // namespace tavo
