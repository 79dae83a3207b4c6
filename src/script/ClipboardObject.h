#pragma once
// "Clipboard": the text clipboard. Formats are numbered as scripts number them:
// 1 text, 2 bitmap, 8 device-independent bitmap.

#include <QObject>
#include <QString>

namespace quillo {

class ClipboardObject : public QObject {
    Q_OBJECT
public:
    explicit ClipboardObject(QObject* parent = nullptr);

    Q_INVOKABLE void Clear();
    // Text only; other formats give "".
    Q_INVOKABLE QString GetText(int format = 1);
    Q_INVOKABLE void SetText(const QString& text, int format = 1);
    // Whether data of that format is on the clipboard.
    Q_INVOKABLE bool GetFormat(int format);
};

} // namespace quillo
