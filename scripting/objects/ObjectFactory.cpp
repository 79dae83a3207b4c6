#include "scripting/objects/ObjectFactory.h"

#include "scripting/core/ErrorTable.h"
#include "scripting/core/ScriptError.h"
#include "scripting/core/Text.h"
#include "scripting/objects/Dictionary.h"
#include "scripting/objects/FileSystemObject.h"

namespace quillo::script {

DispatchPtr createObject(std::u16string_view progId)
{
    if (equalsIgnoreCase(progId, u"Scripting.Dictionary"))
        return DispatchPtr(new objects::Dictionary());
    if (equalsIgnoreCase(progId, u"Scripting.FileSystemObject"))
        return DispatchPtr(new objects::FileSystemObject());
    return nullptr;
}

void getObject(std::u16string_view)
{
    throw ScriptError::runtime(err::CannotCreateObject);
}

} // namespace quillo::script
