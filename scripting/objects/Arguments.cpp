#include "scripting/objects/Arguments.h"

#include "scripting/core/Convert.h"

namespace quillo::script::objects {

bool isOmitted(std::span<Variant> args, size_t i)
{
    return i >= args.size() || args[i].deref().isMissing();
}

bool optionalBool(std::span<Variant> args, size_t i, bool fallback)
{
    return isOmitted(args, i) ? fallback : toBoolean(args[i]);
}

int32_t optionalLong(std::span<Variant> args, size_t i, int32_t fallback)
{
    return isOmitted(args, i) ? fallback : toLong(args[i]);
}

std::u16string textArg(std::span<Variant> args, size_t i)
{
    return toText(args[i]);
}

} // namespace quillo::script::objects
