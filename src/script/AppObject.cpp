#include "src/script/AppObject.h"

#include "scripting/core/ProductInfo.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace quillo {

namespace {
QString fromView(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }
} // namespace

AppObject::AppObject(QObject* parent) : QObject(parent), m_title(fromView(product::Title)) {}

int AppObject::Major() const { return product::Major; }
int AppObject::Minor() const { return product::Minor; }
int AppObject::Revision() const { return product::Revision; }
QString AppObject::Path() const { return QCoreApplication::applicationDirPath(); }
QString AppObject::EXEName() const { return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName(); }
QString AppObject::Comments() const { return fromView(product::Comments); }
QString AppObject::CompanyName() const { return fromView(product::CompanyName); }
QString AppObject::FileDescription() const { return fromView(product::FileDescription); }
QString AppObject::LegalCopyright() const { return fromView(product::LegalCopyright); }
QString AppObject::ProductName() const { return fromView(product::ProductName); }

} // namespace quillo
