# Compiler settings every target of the project links: strict warnings, and floating-point code
# generation that keeps each rounding where the source writes it.
add_library(quorvel_options INTERFACE)
target_compile_options(quorvel_options INTERFACE
  -Wall -Wextra -Wpedantic -Wconversion -Wsign-conversion -Wshadow
  -ffp-contract=off -fno-fast-math
  $<$<BOOL:${QUORVEL_WERROR}>:-Werror>)

if(QUORVEL_BUILD_FUZZERS)
  # Coverage for libFuzzer on every library the fuzz targets link.
  target_compile_options(quorvel_options INTERFACE -fsanitize=fuzzer-no-link)
endif()
target_include_directories(quorvel_options INTERFACE ${PROJECT_SOURCE_DIR})

if(QUORVEL_SANITIZE)
  set(quorvel_sanitizers -fsanitize=address,undefined,float-cast-overflow -fno-sanitize-recover=all
                         -fno-omit-frame-pointer)
  target_compile_options(quorvel_options INTERFACE ${quorvel_sanitizers})
  target_link_options(quorvel_options INTERFACE ${quorvel_sanitizers})
endif()
