#include "src/script/ScreenObject.h"

#include "src/platform/Twips.h"
#include "src/script/QtDispatch.h"

#include "scripting/core/ErrorTable.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>

namespace quillo {

ScreenObject::ScreenObject(QObject* parent) : QObject(parent) {}

namespace {
QSize screenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize();
}
} // namespace

int ScreenObject::Width() const { return twipsFromPixels(screenSize().width()); }
int ScreenObject::Height() const { return twipsFromPixels(screenSize().height()); }
int ScreenObject::TwipsPerPixelX() const { return TwipsPerPixel; }
int ScreenObject::TwipsPerPixelY() const { return TwipsPerPixel; }
int ScreenObject::FontCount() const { return int(families().size()); }

QString ScreenObject::Fonts(int index) {
    if (index < 0 || index >= families().size()) {
        QtDispatch::raise(script::err::SubscriptOutOfRange);
        return QString();
    }
    return families().at(index);
}

const QStringList& ScreenObject::families() const {
    if (!m_familiesRead) {
        m_families = QFontDatabase::families();
        m_familiesRead = true;
    }
    return m_families;
}

} // namespace quillo
