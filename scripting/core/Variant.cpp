#include "scripting/core/Variant.h"

#include "scripting/core/SafeArray.h"

namespace quillo::script {

Variant Variant::fromArray(SafeArray* array)
{
    Variant r(VarType::VariantArray);
    r.u_.arr = array;
    retainArray(array);
    return r;
}

void Variant::retainArray(SafeArray* a) noexcept
{
    if (a)
        a->addRef();
}

void Variant::releaseArray(SafeArray* a) noexcept
{
    if (a)
        a->release();
}

} // namespace quillo::script
