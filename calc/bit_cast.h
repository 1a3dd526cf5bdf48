#pragma once

#include <bit>

namespace quorvel {

// The bits of a value as another type of the same size: std::bit_cast, or the compiler's
// built-in where the standard library predates it (the WebAssembly toolchain's does).
template <class To, class From>
constexpr To bit_cast(const From& from) noexcept {
    static_assert(sizeof(To) == sizeof(From));
#if defined(__cpp_lib_bit_cast)
    return std::bit_cast<To>(from);
#else
    return __builtin_bit_cast(To, from);
#endif
}

}  // namespace quorvel
