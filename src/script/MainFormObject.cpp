#include "src/script/MainFormObject.h"

#include <QMetaObject>

namespace quillo {

MainFormObject::MainFormObject(QWidget& form, QObject* parent) : FormObject(form, parent) {}

QString MainFormObject::GetFileNameFromPath(const QString& Path) {
    QString name;
    if (QWidget* f = form())
        QMetaObject::invokeMethod(f, "GetFileNameFromPath", Qt::DirectConnection, Q_RETURN_ARG(QString, name),
                                  Q_ARG(QString, Path));
    return name;
}

bool MainFormObject::OpenFile(const QString& FileName) {
    bool opened = false;
    if (QWidget* f = form())
        QMetaObject::invokeMethod(f, "OpenFile", Qt::DirectConnection, Q_RETURN_ARG(bool, opened),
                                  Q_ARG(QString, FileName));
    return opened;
}

void MainFormObject::MenuLanguageText_Click() {
    if (QWidget* f = form()) QMetaObject::invokeMethod(f, "MenuLanguageText_Click", Qt::DirectConnection);
}

} // namespace quillo
