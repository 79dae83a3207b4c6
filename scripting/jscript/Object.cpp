#include "scripting/jscript/Object.h"

#include "scripting/jscript/Bytecode.h"

namespace quillo::jscript {

void Object::trace(Heap& h) {
    h.mark(proto);
    h.mark(internal);
    for (size_t i = 0; i < props.size(); ++i) {
        h.mark(props.at(i).key);
        h.mark(props.at(i).value);
    }
}

void ArrayObject::trace(Heap& h) {
    Object::trace(h);
    for (const Value& v : dense) h.mark(v);
    for (auto& kv : sparse) h.mark(kv.second);
    for (const Value& v : order) h.mark(v);
}

void FunctionObject::trace(Heap& h) {
    Object::trace(h);
    h.mark(code);
    h.mark(env);
    h.mark(name);
    h.mark(data);
}

void ArgumentsObject::trace(Heap& h) {
    Object::trace(h);
    for (const Value& v : values) h.mark(v);
    h.mark(env);
}

void Env::trace(Heap& h) {
    h.mark(parent);
    h.mark(owner);
    for (const Value& v : slots) h.mark(v);
    h.mark(withObject);
    h.mark(extras);
}

}  // namespace quillo::jscript
