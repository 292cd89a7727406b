#pragma once

#include "worksheet/sheet.h"

#include <span>

namespace sections {

// Every (control, event) of the worksheet that runs a handler.
std::span<const worksheet::Route> routes();

} // namespace sections
