// Built as module code with PROBE_HEADER naming a header of a platform's machinery; the build
// must fail because the module cannot see that header.
#include PROBE_HEADER
