#pragma once

#include "backend.h"

#include <iosfwd>
#include <string>

// Runs one scenario file against a fresh worksheet of the backend. Failures
// are written to out as "FILE:LINE: ..."; dump output goes there too.
// Returns whether the whole file passed.
bool runScenario(const std::string& path, Backend& backend, std::ostream& out);
