/* Compiled for a 32-bit target by the tests: the records must keep the
 * layout the report engine fills in memory (record_layout.h checks it). */
#include "record_layout.h"

#ifdef __cplusplus
static_assert(sizeof(void*) == 4, "a 32-bit target");
#else
_Static_assert(sizeof(void*) == 4, "a 32-bit target");
#endif

int qvbarqr_record_layout_checked(void) {
    return 0;
}
