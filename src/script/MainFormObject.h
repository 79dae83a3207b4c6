#pragma once
// "Me": the main window as scripts see it, its standard form members and its three public
// operations. The operations are forwarded to the window by name, so this folder needs
// nothing of the window's own class.

#include "src/script/FormObject.h"

namespace quillo {

class MainFormObject : public FormObject {
    Q_OBJECT
public:
    // `form` offers GetFileNameFromPath(QString), OpenFile(QString) and
    // MenuLanguageText_Click() as invokable methods or slots.
    explicit MainFormObject(QWidget& form, QObject* parent = nullptr);

    Q_INVOKABLE QString GetFileNameFromPath(const QString& Path);
    Q_INVOKABLE bool OpenFile(const QString& FileName);
    Q_INVOKABLE void MenuLanguageText_Click();
};

} // namespace quillo
