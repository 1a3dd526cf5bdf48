#pragma once

// Identity numbers of the program's resources, shared by quorvel.rc and the code.
#define QUORVEL_ICON 1
