#pragma once
// "App": the program's title, version and location.

#include <QObject>
#include <QString>

namespace quillo {

class AppObject : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Title READ Title WRITE setTitle)
    Q_PROPERTY(int Major READ Major)
    Q_PROPERTY(int Minor READ Minor)
    Q_PROPERTY(int Revision READ Revision)
    Q_PROPERTY(QString Path READ Path)
    Q_PROPERTY(QString EXEName READ EXEName)
    Q_PROPERTY(QString Comments READ Comments)
    Q_PROPERTY(QString CompanyName READ CompanyName)
    Q_PROPERTY(QString FileDescription READ FileDescription)
    Q_PROPERTY(QString LegalCopyright READ LegalCopyright)
    Q_PROPERTY(QString ProductName READ ProductName)
    Q_PROPERTY(bool PrevInstance READ PrevInstance)
public:
    explicit AppObject(QObject* parent = nullptr);

    // The title starts as the product's and may be changed for the rest of the run.
    QString Title() const { return m_title; }
    void setTitle(const QString& title) { m_title = title; }
    int Major() const;
    int Minor() const;
    int Revision() const;
    // The folder of the program file, without a trailing separator.
    QString Path() const;
    // The program file's name without its extension.
    QString EXEName() const;
    QString Comments() const;
    QString CompanyName() const;
    QString FileDescription() const;
    QString LegalCopyright() const;
    QString ProductName() const;
    // Another copy of the program is never looked for.
    bool PrevInstance() const { return false; }

private:
    QString m_title;
};

} // namespace quillo
