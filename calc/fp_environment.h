#pragma once

#include <cfenv>

namespace quorvel {

// No result of a press depends on the floating-point unit's state: the rules compute with
// integers (calc/extended.h), and text reading rounds correctly whatever the rounding mode. What
// floating point the core still runs (the whole-number step, the number conversion's fast path)
// runs in one plain environment all the same: rounding to nearest, every exception masked, so
// that nothing traps, and subnormal numbers kept rather than flushed to zero. The x87 precision
// control plays no part and is left as the platform has it.

// Sets that environment. Every program calls it first thing.
void set_fp_environment();

// True when the environment is as set_fp_environment leaves it (status flags aside).
bool fp_environment_is_set();

// The environment for the length of one press, whatever foreign code (a system library, a
// plug-in) has done to it since: the caller's environment is saved and the press's is set, and
// the caller's is put back when the press ends, so code outside the press finds the state that
// it left, as the Windows calling convention expects.
class fp_environment_scope {
  public:
    fp_environment_scope();
    ~fp_environment_scope();
    fp_environment_scope(const fp_environment_scope&) = delete;
    fp_environment_scope& operator=(const fp_environment_scope&) = delete;
    fp_environment_scope(fp_environment_scope&&) = delete;
    fp_environment_scope& operator=(fp_environment_scope&&) = delete;

  private:
    bool changed_;
    std::fenv_t caller_{};
};

}  // namespace quorvel
