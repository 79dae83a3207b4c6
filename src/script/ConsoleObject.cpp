#include "src/script/ConsoleObject.h"

#include "src/host/FormConsole.h"

namespace quillo {

ConsoleObject::ConsoleObject(FormConsole& console, QObject* parent) : FormObject(console, parent), m_console(console) {}

void ConsoleObject::log(const QString& message) {
    if (form()) m_console.log(message);
}

} // namespace quillo
