#include "src/app/Settings.h"

#include "src/app/FormMain.h"
#include "src/app/SettingsValues.h"
#include "src/editor/DocumentBox.h"
#include "src/editor/FontCommand.h"
#include "src/host/FormConsole.h"
#include "src/platform/SettingsStore.h"
#include "src/platform/Twips.h"

#include <QAction>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>

#include <algorithm>

#include <cmath>

namespace quillo {

namespace {

// The names of one window's geometry and state keys.
struct WindowKeys {
    QLatin1String left, top, width, height, state;
};
constexpr WindowKeys MainWindowKeys{QLatin1String("Left"), QLatin1String("Top"), QLatin1String("Width"),
                                    QLatin1String("Height"), QLatin1String("WindowState")};
constexpr WindowKeys ConsoleKeys{QLatin1String("ConsoleLeft"), QLatin1String("ConsoleTop"),
                                 QLatin1String("ConsoleWidth"), QLatin1String("ConsoleHeight"),
                                 QLatin1String("ConsoleWindowState")};

// The largest font size the font dialog offers to type in.
constexpr double MaxFontSize = 1638;
// Coordinates further out than this (in twips) are not positions on any desktop.
constexpr double MaxCoordinate = 1e9;

class Keys {
public:
    explicit Keys(SettingsStore& store) : m_store(store) {}

    QString text(QLatin1String key, const QString& current) {
        return m_store.read(settings::Application, settings::Section, key, current);
    }
    // The stored number if it converts and passes accept, else nothing.
    template <typename Accept>
    std::optional<double> number(QLatin1String key, double current, Accept accept) {
        const std::optional<double> value = parseNumber(text(key, numberText(current)));
        if (value && accept(*value)) return value;
        return std::nullopt;
    }
    bool boolean(QLatin1String key, bool current) {
        return parseBoolean(text(key, booleanText(current))).value_or(current);
    }

    void write(QLatin1String key, const QString& value) {
        m_store.write(settings::Application, settings::Section, key, value);
    }
    void writeNumber(QLatin1String key, double value) { write(key, numberText(value)); }
    void writeBoolean(QLatin1String key, bool value) { write(key, booleanText(value)); }

private:
    SettingsStore& m_store;
};

// ---- Window geometry and state ----------------------------------------------------------

int windowStateNumber(const QWidget& window) {
    const Qt::WindowStates state = window.windowState();
    if (state & Qt::WindowMinimized) return 1;
    if (state & Qt::WindowMaximized) return 2;
    return 0;
}

void setWindowStateNumber(QWidget& window, int number) {
    Qt::WindowStates state = window.windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    if (number == 1) state |= Qt::WindowMinimized;
    if (number == 2) state |= Qt::WindowMaximized;
    window.setWindowState(state);
}

// The desktop: every screen's rectangle (empty without screens: nothing is checked then).
QRect desktopBounds() {
    QRect bounds;
    for (const QScreen* screen : QGuiApplication::screens()) bounds |= screen->geometry();
    return bounds;
}

bool onSomeScreen(const QRect& rect) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.isEmpty()) return true;
    return std::any_of(screens.begin(), screens.end(),
                       [&](const QScreen* screen) { return screen->geometry().intersects(rect); });
}

void restoreWindow(QWidget& window, Keys& keys, const WindowKeys& names) {
    const QRect before = window.geometry();
    const QRect desktop = desktopBounds();
    auto coordinate = [](double twips) { return std::abs(twips) <= MaxCoordinate; };
    auto extent = [](int limit) {
        return [limit](double twips) {
            const int pixels = std::abs(twips) <= MaxCoordinate ? pixelsFromTwips(twips) : -1;
            return pixels >= 1 && (limit <= 0 || pixels <= limit);
        };
    };

    QRect g = window.geometry();
    if (auto left = keys.number(names.left, twipsFromPixels(g.x()), coordinate)) g.moveLeft(pixelsFromTwips(*left));
    window.setGeometry(g);
    if (auto top = keys.number(names.top, twipsFromPixels(g.y()), coordinate)) g.moveTop(pixelsFromTwips(*top));
    window.setGeometry(g);
    if (auto width = keys.number(names.width, twipsFromPixels(g.width()), extent(desktop.width())))
        g.setWidth(pixelsFromTwips(*width));
    window.setGeometry(g);
    if (auto height = keys.number(names.height, twipsFromPixels(g.height()), extent(desktop.height())))
        g.setHeight(pixelsFromTwips(*height));
    window.setGeometry(g);
    // A window that would open off every screen (one that was removed since) opens where it
    // would have without stored settings.
    if (!onSomeScreen(window.geometry())) window.setGeometry(QRect(before.topLeft(), window.geometry().size()));

    // The state comes after the geometry, so a maximised window keeps the stored normal
    // geometry for its restore.
    const QString state = keys.text(names.state, QString::number(windowStateNumber(window)));
    if (const std::optional<int> number = parseWindowState(state)) setWindowStateNumber(window, *number);
}

// The state, then the normal geometry: a minimised or maximised window is set back to
// normal first (after being shown, when showHidden and it is hidden).
void saveWindow(QWidget& window, Keys& keys, const WindowKeys& names, bool showHidden) {
    const int state = windowStateNumber(window);
    keys.write(names.state, QString::number(state));
    // Taken before the switch: the window manager may apply the normal geometry later.
    QRect normal = window.normalGeometry();
    if (!normal.isValid()) normal = window.geometry();
    if (state != 0) {
        if (showHidden && !window.isVisible()) window.show();
        setWindowStateNumber(window, 0);
    }
    keys.writeNumber(names.left, twipsFromPixels(normal.x()));
    keys.writeNumber(names.top, twipsFromPixels(normal.y()));
    keys.writeNumber(names.width, twipsFromPixels(normal.width()));
    keys.writeNumber(names.height, twipsFromPixels(normal.height()));
}

// ---- Font ------------------------------------------------------------------------------

void restoreFont(QWidget& box, Keys& keys) {
    QFont font = box.font();
    const QString name = keys.text(QLatin1String("FontName"), font.family());
    if (!name.trimmed().isEmpty()) font.setFamily(name);
    box.setFont(font);
    if (auto size = keys.number(QLatin1String("FontSize"), font.pointSizeF(),
                                [](double points) { return points >= 1 && points <= MaxFontSize; }))
        font.setPointSizeF(double(float(*size))); // a single-precision size, as the Font command keeps it
    box.setFont(font);
    font.setBold(keys.boolean(QLatin1String("FontBold"), font.bold()));
    box.setFont(font);
    font.setItalic(keys.boolean(QLatin1String("FontItalic"), font.italic()));
    box.setFont(font);
    font.setUnderline(keys.boolean(QLatin1String("FontUnderline"), font.underline()));
    box.setFont(font);
    font.setStrikeOut(keys.boolean(QLatin1String("FontStrikethru"), font.strikeOut()));
    box.setFont(font);
}

void copyFont(const QWidget& from, QWidget& to) { to.setFont(withFontProperties(to.font(), from.font())); }

void saveFont(const QWidget& box, Keys& keys) {
    const QFont font = box.font();
    keys.write(QLatin1String("FontName"), font.family());
    keys.write(QLatin1String("FontSize"), singleText(font.pointSizeF()));
    keys.writeBoolean(QLatin1String("FontBold"), font.bold());
    keys.writeBoolean(QLatin1String("FontItalic"), font.italic());
    keys.writeBoolean(QLatin1String("FontUnderline"), font.underline());
    keys.writeBoolean(QLatin1String("FontStrikethru"), font.strikeOut());
}

// ---- Language --------------------------------------------------------------------------

void restoreLanguage(FormMain& form, Keys& keys) {
    const QString language = keys.text(QLatin1String("Language"), QStringLiteral("VBScript"));
    if (language == QLatin1String("Text"))
        form.MenuLanguageText_Click();
    else if (language == QLatin1String("JScript"))
        form.MenuLanguageJScript_Click();
    else
        form.MenuLanguageVBScript_Click();
}

QString languageWord(const FormMain& form) {
    if (form.MenuLanguageText->isChecked()) return QStringLiteral("Text");
    if (form.MenuLanguageJScript->isChecked()) return QStringLiteral("JScript");
    return QStringLiteral("VBScript");
}

} // namespace

void RestoreSettings(FormMain& form, SettingsStore& store) {
    Keys keys(store);
    FormConsole& console = form.console();

    restoreWindow(form, keys, MainWindowKeys);
    // The document boxes follow the check at the window's first activation.
    form.MenuFormatWordWrap->setChecked(keys.boolean(QLatin1String("WordWrap"), form.MenuFormatWordWrap->isChecked()));
    form.MenuViewConsole->setChecked(keys.boolean(QLatin1String("Console"), form.MenuViewConsole->isChecked()));
    console.setVisible(form.MenuViewConsole->isChecked());
    restoreWindow(console, keys, ConsoleKeys);
    // Only the check: the layout follows it, the strip's visibility is left alone.
    form.MenuViewStatusBar->setChecked(keys.boolean(QLatin1String("StatusBar"), form.MenuViewStatusBar->isChecked()));
    restoreLanguage(form, keys);
    restoreFont(*form.TextMain[0], keys);

    copyFont(*form.TextMain[0], *form.TextMain[1]);
    copyFont(*form.TextMain[0], *console.TextOutput);
}

void SaveSettings(FormMain& form, SettingsStore& store) {
    Keys keys(store);
    FormConsole& console = form.console();

    saveWindow(form, keys, MainWindowKeys, false);
    keys.writeBoolean(QLatin1String("WordWrap"), form.MenuFormatWordWrap->isChecked());
    keys.writeBoolean(QLatin1String("Console"), form.MenuViewConsole->isChecked());
    saveWindow(console, keys, ConsoleKeys, true);
    keys.writeBoolean(QLatin1String("StatusBar"), form.MenuViewStatusBar->isChecked());
    keys.write(QLatin1String("Language"), languageWord(form));
    saveFont(form.activeBox(), keys);
}

} // namespace quillo
