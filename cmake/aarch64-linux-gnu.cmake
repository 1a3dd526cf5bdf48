# Cross-building for 64-bit ARM Linux with Debian's cross compiler. Libraries for the tests (GMP,
# GoogleTest) come from Debian's arm64 packages installed beside the build machine's own
# (multiarch); programs and tests run under qemu-user.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64 -L /usr/aarch64-linux-gnu)
