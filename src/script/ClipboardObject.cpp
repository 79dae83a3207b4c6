#include "src/script/ClipboardObject.h"

#include "src/script/QtDispatch.h"

#include "scripting/core/ErrorTable.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace quillo {

namespace {
constexpr int vbCFText = 1;
constexpr int vbCFBitmap = 2;
constexpr int vbCFDIB = 8;
} // namespace

ClipboardObject::ClipboardObject(QObject* parent) : QObject(parent) {}

void ClipboardObject::Clear() { QGuiApplication::clipboard()->clear(); }

QString ClipboardObject::GetText(int format) {
    if (format != vbCFText) return QString();
    return QGuiApplication::clipboard()->text();
}

void ClipboardObject::SetText(const QString& text, int format) {
    if (format != vbCFText) {
        QtDispatch::raise(script::err::InvalidCall);
        return;
    }
    QGuiApplication::clipboard()->setText(text);
}

bool ClipboardObject::GetFormat(int format) {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data) return false;
    switch (format) {
    case vbCFText: return data->hasText();
    case vbCFBitmap:
    case vbCFDIB: return data->hasImage();
    default: return false;
    }
}

} // namespace quillo
