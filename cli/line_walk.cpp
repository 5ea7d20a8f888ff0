// The walk of a batch line for every processor (the kernel the project's own
// compiler flags give simdjson).
#include "cli/line_walk_kernel.h"
