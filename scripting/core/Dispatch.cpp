#include "scripting/core/Dispatch.h"

#include "scripting/core/Variant.h"

namespace quillo::script {

Ref<Enumerator> Dispatch::enumerate()
{
    return {};
}

std::u16string Dispatch::memberName(int32_t)
{
    return {};
}

} // namespace quillo::script
