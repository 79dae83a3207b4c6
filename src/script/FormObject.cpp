#include "src/script/FormObject.h"

#include "src/platform/Twips.h"
#include "src/script/QtDispatch.h"

#include "scripting/core/ErrorTable.h"

#include <QMainWindow>

namespace quillo {

namespace {
int twips(int pixels) { return twipsFromPixels(pixels); }
} // namespace

FormObject::FormObject(QWidget& form, QObject* parent) : QObject(parent), m_form(&form) {}

QWidget* FormObject::form() const {
    if (!m_form) QtDispatch::raise(script::err::ObjectRequired);
    return m_form;
}

QString FormObject::Caption() const { return form() ? m_form->windowTitle() : QString(); }
void FormObject::setCaption(const QString& caption) {
    if (form()) m_form->setWindowTitle(caption);
}

// Frame geometry in twips; a hidden window that was never shown has no frame yet, so its
// geometry stands for it.
QRect FormObject::frame() const {
    if (!form()) return {};
    const QRect r = m_form->frameGeometry();
    return QRect(twips(r.x()), twips(r.y()), twips(r.width()), twips(r.height()));
}

void FormObject::setFrame(const QRect& t) {
    if (!form()) return;
    const QRect outer = m_form->frameGeometry();
    const QRect inner = m_form->geometry();
    const int extraWidth = outer.width() - inner.width();
    const int extraHeight = outer.height() - inner.height();
    m_form->move(pixelsFromTwips(t.x()), pixelsFromTwips(t.y()));
    m_form->resize(std::max(0, pixelsFromTwips(t.width()) - extraWidth),
                   std::max(0, pixelsFromTwips(t.height()) - extraHeight));
}

int FormObject::Left() const { return frame().x(); }
void FormObject::setLeft(int t) {
    QRect r = frame();
    r.moveLeft(t);
    setFrame(r);
}
int FormObject::Top() const { return frame().y(); }
void FormObject::setTop(int t) {
    QRect r = frame();
    r.moveTop(t);
    setFrame(r);
}
int FormObject::Width() const { return frame().width(); }
void FormObject::setWidth(int t) {
    QRect r = frame();
    r.setWidth(t);
    setFrame(r);
}
int FormObject::Height() const { return frame().height(); }
void FormObject::setHeight(int t) {
    QRect r = frame();
    r.setHeight(t);
    setFrame(r);
}

int FormObject::ScaleWidth() const {
    if (!form()) return 0;
    auto* main = qobject_cast<QMainWindow*>(m_form.data());
    return twips(main && main->centralWidget() ? main->centralWidget()->width() : m_form->width());
}
int FormObject::ScaleHeight() const {
    if (!form()) return 0;
    auto* main = qobject_cast<QMainWindow*>(m_form.data());
    return twips(main && main->centralWidget() ? main->centralWidget()->height() : m_form->height());
}

bool FormObject::Visible() const { return form() && m_form->isVisible(); }
void FormObject::setVisible(bool visible) {
    if (form()) m_form->setVisible(visible);
}

int FormObject::WindowState() const {
    if (!form()) return 0;
    if (m_form->isMinimized()) return 1;
    if (m_form->isMaximized()) return 2;
    return 0;
}
void FormObject::setWindowState(int state) {
    if (!form()) return;
    switch (state) {
    case 0: m_form->setWindowState(m_form->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized)); break;
    case 1: m_form->setWindowState((m_form->windowState() & ~Qt::WindowMaximized) | Qt::WindowMinimized); break;
    case 2: m_form->setWindowState((m_form->windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized); break;
    default: QtDispatch::raise(script::err::InvalidCall);
    }
}

bool FormObject::Enabled() const { return form() && m_form->isEnabled(); }
void FormObject::setEnabled(bool enabled) {
    if (form()) m_form->setEnabled(enabled);
}

QString FormObject::Name() const { return form() ? m_form->objectName() : QString(); }

void FormObject::Hide() { setVisible(false); }
void FormObject::Show() {
    if (form()) m_form->show();
}

void FormObject::Move(double left, double top, double width, double height) {
    setFrame(QRect(int(left), int(top), int(width), int(height)));
}
void FormObject::Move(double left, double top, double width) { Move(left, top, width, Height()); }
void FormObject::Move(double left, double top) { Move(left, top, Width(), Height()); }
void FormObject::Move(double left) { Move(left, Top(), Width(), Height()); }

void FormObject::Refresh() {
    if (form()) m_form->update();
}

void FormObject::SetFocus() {
    if (!form()) return;
    m_form->activateWindow();
    m_form->setFocus();
}

void FormObject::ZOrder(int position) {
    if (!form()) return;
    if (position == 0)
        m_form->raise();
    else
        m_form->lower();
}

} // namespace quillo
