#include "scripting/jscript/Payload.h"

namespace quillo::jscript::payload {

constinit thread_local CellPool* tPool = nullptr;

CellPool* makeThreadPool() {
    tPool = new CellPool;  // deliberately never deleted: see Payload.h
    return tPool;
}

}  // namespace quillo::jscript::payload
