#pragma once
// The release, in a form both the C++ code and the resource compiler can read.
#define MORV_VERSION_MAJOR 1
#define MORV_VERSION_MINOR 4
#define MORV_VERSION_REVISION 4
#define MORV_VERSION_RC 1, 4, 4, 0
#define MORV_VERSION_STRING "1.4.4"
