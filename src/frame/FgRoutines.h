#pragma once
#include <cstdint>

// The program's own small mouse and clock routines.
int fg_mouseini();
int fg_mousevis(int on);
// The tick count in 55-millisecond units.
uint32_t fg_getclock();
