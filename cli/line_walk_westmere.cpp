// The walk of a batch line for processors with SSE 4.2, built with the
// instructions of simdjson's "westmere" kernel (cli/CMakeLists.txt); run only
// where simdjson picks that kernel.
#define WAGEMARK_WALK_KERNEL westmere
#include "cli/line_walk_kernel.h"
