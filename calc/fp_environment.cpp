#include "calc/fp_environment.h"

#include <cstdint>

#if !defined(__x86_64__)
#error "the arithmetic needs the x86-64 x87 and SSE units"
#endif

namespace quorvel {
namespace {

// x87 control word: exception masks in bits 0-5, precision control in bits 8-9,
// rounding control in bits 10-11.
constexpr std::uint16_t x87_exception_masks = 0x003F;
constexpr std::uint16_t x87_precision_64 = 0x0300;
constexpr std::uint16_t x87_rounding_field = 0x0C00;

// SSE MXCSR: status flags in bits 0-5, denormals-are-zero in bit 6, exception masks in
// bits 7-12, rounding control in bits 13-14, flush-to-zero in bit 15.
constexpr std::uint32_t sse_status_flags = 0x003F;
constexpr std::uint32_t sse_denormals_are_zero = 0x0040;
constexpr std::uint32_t sse_exception_masks = 0x1F80;
constexpr std::uint32_t sse_rounding_field = 0x6000;
constexpr std::uint32_t sse_flush_to_zero = 0x8000;

std::uint16_t read_x87_control() {
    std::uint16_t word = 0;
    __asm__ volatile("fnstcw %0" : "=m"(word));
    return word;
}

std::uint32_t read_mxcsr() {
    std::uint32_t word = 0;
    __asm__ volatile("stmxcsr %0" : "=m"(word));
    return word;
}

constexpr std::uint16_t wanted_x87(std::uint16_t word) {
    word = static_cast<std::uint16_t>(word & ~x87_rounding_field);  // round to nearest
    return static_cast<std::uint16_t>(word | x87_exception_masks | x87_precision_64);
}

constexpr std::uint32_t wanted_mxcsr(std::uint32_t word) {
    word &= ~(sse_status_flags | sse_denormals_are_zero | sse_rounding_field | sse_flush_to_zero);
    return word | sse_exception_masks;
}

}  // namespace

void set_fp_environment() {
    __asm__ volatile("fnclex");
    std::uint16_t x87 = wanted_x87(read_x87_control());
    __asm__ volatile("fldcw %0" : : "m"(x87));
    std::uint32_t sse = wanted_mxcsr(read_mxcsr());
    __asm__ volatile("ldmxcsr %0" : : "m"(sse));
}

unsigned x87_precision_control() {
    return (read_x87_control() >> 8) & 0x3U;
}

bool fp_environment_is_set() {
    std::uint16_t x87 = read_x87_control();
    std::uint32_t sse = read_mxcsr();
    return x87 == wanted_x87(x87) && (sse & ~sse_status_flags) == wanted_mxcsr(sse);
}

}  // namespace quorvel
