/* String ids of the framework's own texts, carried by every program that is built
   on it (framework.rc.in). Kept clear of the programs' ids. */
#pragma once

#define kFrameworkUnexpectedError 63001 /* the action failed: %s */
#define kFrameworkBadNumber 63002       /* a whole number from %d to %d */
