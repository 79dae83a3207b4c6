#pragma once
// "Screen": the primary screen's size in twips and the installed font families.

#include <QObject>
#include <QString>
#include <QStringList>

namespace quillo {

class ScreenObject : public QObject {
    Q_OBJECT
    Q_PROPERTY(int Width READ Width)
    Q_PROPERTY(int Height READ Height)
    Q_PROPERTY(int TwipsPerPixelX READ TwipsPerPixelX)
    Q_PROPERTY(int TwipsPerPixelY READ TwipsPerPixelY)
    Q_PROPERTY(int FontCount READ FontCount)
public:
    explicit ScreenObject(QObject* parent = nullptr);

    int Width() const;
    int Height() const;
    int TwipsPerPixelX() const;
    int TwipsPerPixelY() const;
    int FontCount() const;
    // Font family `index`, 0-based; past the end raises "Subscript out of range".
    Q_INVOKABLE QString Fonts(int index);

private:
    const QStringList& families() const;
    mutable QStringList m_families; // read once: listing fonts is slow
    mutable bool m_familiesRead = false;
};

} // namespace quillo
