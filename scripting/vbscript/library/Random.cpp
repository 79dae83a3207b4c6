// Rnd and Randomize: the language's 24-bit linear congruential generator,
//   seed' = (seed * 1140671485 + 12820163) mod 2^24,   Rnd = seed' / 2^24,
// with its documented seeding: a negative argument to Rnd restarts the sequence from the
// argument's Single bit pattern (so Rnd(-1) is always the same), 0 repeats the last value,
// and Randomize folds a Double's high 32 bits into the middle 16 bits of the seed.

#include "scripting/vbscript/library/Arguments.h"
#include "scripting/vbscript/library/LocalConvert.h"
#include "scripting/vbscript/library/Clock.h"
#include "scripting/vbscript/library/Functions.h"

#include <bit>
#include <cstdint>

namespace quillo::vbscript::library {

namespace {

constexpr uint32_t kSeedMask = 0xFFFFFF;
constexpr float kScale = 16777216.0f;

float advance(RndState& state)
{
    state.seed = (state.seed * 1140671485u + 12820163u) & kSeedMask;
    state.last = float(state.seed) / kScale;
    return state.last;
}

} // namespace

// Rnd([number])
QUILLO_VBS_BUILTIN(rnd)
{
    RndState& state = context.rnd;
    if (!given(args, 0))
        return Variant::fromSingle(advance(state));
    const float number = local::toSingle(arg(args, 0));
    if (number == 0)
        return Variant::fromSingle(float(state.seed) / kScale);
    if (number < 0) {
        const uint32_t bits = std::bit_cast<uint32_t>(number);
        state.seed = (bits + (bits >> 24)) & kSeedMask;
    }
    return Variant::fromSingle(advance(state));
}

// Randomize [number]: without a number the seed comes from Timer.
QUILLO_VBS_BUILTIN(randomize)
{
    const double number = given(args, 0) ? doubleArg(args, 0)
                                         : double(float(secondsSinceMidnight(context)));
    const uint32_t high = uint32_t(std::bit_cast<uint64_t>(number) >> 32);
    const uint32_t middle = ((high & 0xFFFF) ^ (high >> 16)) << 8;
    context.rnd.seed = (context.rnd.seed & 0xFF0000FFu) | middle;
    context.rnd.seed &= kSeedMask;
    return Variant();
}

} // namespace quillo::vbscript::library
