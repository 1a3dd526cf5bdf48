// The entry point of every test program: the floating-point environment first, as in the
// program itself, then the tests.
#include <gtest/gtest.h>

#include "calc/fp_environment.h"

int main(int argc, char** argv) {
    quorvel::set_fp_environment();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
