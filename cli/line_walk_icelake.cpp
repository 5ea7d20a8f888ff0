// The walk of a batch line for processors with AVX-512, built with the
// instructions of simdjson's "icelake" kernel (cli/CMakeLists.txt); run only
// where simdjson picks that kernel.
#define WAGEMARK_WALK_KERNEL icelake
#include "cli/line_walk_kernel.h"
