#pragma once
// "Printer" and the items of "Printers": one printer's description from the print
// system. A printer object made without a printer (none installed) has empty values.

#include <QObject>
#include <QPrinterInfo>
#include <QString>

namespace quillo {

class PrinterObject : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString DeviceName READ DeviceName)
    Q_PROPERTY(QString DriverName READ DriverName)
    Q_PROPERTY(QString Port READ Port)
    Q_PROPERTY(int Width READ Width)
    Q_PROPERTY(int Height READ Height)
    Q_PROPERTY(int Orientation READ Orientation)
public:
    explicit PrinterObject(QPrinterInfo info, QObject* parent = nullptr);

    QString DeviceName() const { return m_info.printerName(); }
    QString DriverName() const { return m_info.makeAndModel(); }
    // Print queues have no port here.
    QString Port() const { return QString(); }
    // The default paper, in twips; 0 without a printer.
    int Width() const;
    int Height() const;
    // 1 portrait (the default paper is upright).
    int Orientation() const { return 1; }

private:
    QPrinterInfo m_info;
};

// The installed printers; Printers(i) and For Each give PrinterObjects.
class PrintersObject : public QObject {
    Q_OBJECT
    Q_CLASSINFO("DefaultMember", "Item")
    Q_PROPERTY(int Count READ Count)
public:
    explicit PrintersObject(QObject* parent = nullptr);

    int Count() const;
    // 0-based; past the end raises "Subscript out of range".
    Q_INVOKABLE QObject* Item(int index);

private:
    void readPrinters() const;
    mutable std::vector<PrinterObject*> m_printers; // children; read on first use
    mutable bool m_read = false;
};

} // namespace quillo
