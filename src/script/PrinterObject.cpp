#include "src/script/PrinterObject.h"

#include "src/script/QtDispatch.h"

#include "scripting/core/ErrorTable.h"

#include <QPageSize>

namespace quillo {

namespace {
constexpr double TwipsPerPoint = 20.0;
} // namespace

PrinterObject::PrinterObject(QPrinterInfo info, QObject* parent) : QObject(parent), m_info(std::move(info)) {}

int PrinterObject::Width() const {
    if (m_info.isNull()) return 0;
    return int(m_info.defaultPageSize().sizePoints().width() * TwipsPerPoint);
}

int PrinterObject::Height() const {
    if (m_info.isNull()) return 0;
    return int(m_info.defaultPageSize().sizePoints().height() * TwipsPerPoint);
}

PrintersObject::PrintersObject(QObject* parent) : QObject(parent) {}

void PrintersObject::readPrinters() const {
    if (m_read) return;
    m_read = true;
    auto* self = const_cast<PrintersObject*>(this);
    for (const QPrinterInfo& info : QPrinterInfo::availablePrinters())
        m_printers.push_back(new PrinterObject(info, self));
}

int PrintersObject::Count() const {
    readPrinters();
    return int(m_printers.size());
}

QObject* PrintersObject::Item(int index) {
    readPrinters();
    if (index < 0 || size_t(index) >= m_printers.size()) {
        QtDispatch::raise(script::err::SubscriptOutOfRange);
        return nullptr;
    }
    return m_printers[size_t(index)];
}

} // namespace quillo
