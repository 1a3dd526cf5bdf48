#include "calc/fp_environment.h"

#include <cstdint>

#if defined(__x86_64__) || defined(_M_X64)
#include <xmmintrin.h>
#endif

namespace quorvel {
namespace {

#if defined(__x86_64__) || defined(_M_X64)

// SSE MXCSR: denormals-are-zero in bit 6, exception masks in bits 7-12, rounding control in
// bits 13-14, flush-to-zero in bit 15.
constexpr std::uint32_t sse_denormals_are_zero = 0x0040;
constexpr std::uint32_t sse_exception_masks = 0x1F80;
constexpr std::uint32_t sse_rounding_field = 0x6000;
constexpr std::uint32_t sse_flush_to_zero = 0x8000;

void keep_subnormals() {
    _mm_setcsr(_mm_getcsr() & ~(sse_flush_to_zero | sse_denormals_are_zero));
}

// Every x87 exception masked and the x87 rounding to nearest.
bool x87_is_plain() {
#if defined(__GLIBC__)
    // Read through the control word alone, which is cheap, where the C library offers that.
    return ::fegetexcept() == 0 && std::fegetround() == FE_TONEAREST;
#else
    // x87 control word: exception masks in bits 0-5, rounding control in bits 10-11.
    constexpr std::uint32_t x87_exception_masks = 0x003F;
    constexpr std::uint32_t x87_rounding_field = 0x0C00;
    std::fenv_t environment{};
    std::fegetenv(&environment);
    const std::uint32_t x87 = environment.__control_word;
    return (x87 & (x87_exception_masks | x87_rounding_field)) == x87_exception_masks;
#endif
}

bool controls_are_plain() {
    const std::uint32_t sse = _mm_getcsr();
    const std::uint32_t sse_controls =
        sse_denormals_are_zero | sse_exception_masks | sse_rounding_field | sse_flush_to_zero;
    return (sse & sse_controls) == sse_exception_masks && x87_is_plain();
}

#elif defined(__aarch64__)

// FPCR: trap enables in bits 8-12 and 15, rounding mode in bits 22-23, flush-to-zero in bit 24.
constexpr std::uint32_t fpcr_trap_enables = 0x9F00;
constexpr std::uint32_t fpcr_rounding_field = 0xC00000;
constexpr std::uint32_t fpcr_flush_to_zero = 0x1000000;

void keep_subnormals() {
    std::fenv_t environment{};
    std::fegetenv(&environment);
    environment.__fpcr &= ~fpcr_flush_to_zero;
    std::fesetenv(&environment);
}

bool controls_are_plain() {
    std::fenv_t environment{};
    std::fegetenv(&environment);
    return (environment.__fpcr & (fpcr_trap_enables | fpcr_rounding_field | fpcr_flush_to_zero)) ==
           0;
}

#else

// WebAssembly and the like: no traps and no flush to zero; only the rounding mode is a setting.
void keep_subnormals() {}

bool controls_are_plain() {
    return std::fegetround() == FE_TONEAREST;
}

#endif

// Masks every exception (and clears the flags), rounds to nearest, keeps subnormals; saves the
// environment that was in force into `before`.
void set_plain_environment(std::fenv_t& before) {
    std::feholdexcept(&before);
    std::fesetround(FE_TONEAREST);
    keep_subnormals();
}

}  // namespace

void set_fp_environment() {
    std::fenv_t before{};
    set_plain_environment(before);
}

bool fp_environment_is_set() {
    return controls_are_plain();
}

// When the environment is plain already, as it is unless foreign code changed it, nothing is
// changed and nothing needs giving back.
fp_environment_scope::fp_environment_scope() : changed_(!controls_are_plain()) {
    if (changed_) {
        set_plain_environment(caller_);
    }
}

fp_environment_scope::~fp_environment_scope() {
    if (changed_) {
        std::fesetenv(&caller_);
    }
}

}  // namespace quorvel
