#pragma once
// "console": the console window as scripts see it, its standard form members and log.

#include "src/script/FormObject.h"

namespace quillo {

class FormConsole;

class ConsoleObject : public FormObject {
    Q_OBJECT
public:
    explicit ConsoleObject(FormConsole& console, QObject* parent = nullptr);

    // The message arrives converted to text by the automation rules.
    Q_INVOKABLE void log(const QString& message);

private:
    FormConsole& m_console;
};

} // namespace quillo
