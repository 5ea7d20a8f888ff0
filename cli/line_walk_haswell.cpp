// The walk of a batch line for processors with AVX2, built with the
// instructions of simdjson's "haswell" kernel (cli/CMakeLists.txt); run only
// where simdjson picks that kernel.
#define WAGEMARK_WALK_KERNEL haswell
#include "cli/line_walk_kernel.h"
