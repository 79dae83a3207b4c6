#pragma once
// A form as scripts see it: the standard window members, lengths in twips.

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace quillo {

class FormObject : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(int Left READ Left WRITE setLeft)
    Q_PROPERTY(int Top READ Top WRITE setTop)
    Q_PROPERTY(int Width READ Width WRITE setWidth)
    Q_PROPERTY(int Height READ Height WRITE setHeight)
    Q_PROPERTY(int ScaleWidth READ ScaleWidth)
    Q_PROPERTY(int ScaleHeight READ ScaleHeight)
    Q_PROPERTY(bool Visible READ Visible WRITE setVisible)
    Q_PROPERTY(int WindowState READ WindowState WRITE setWindowState)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)
    Q_PROPERTY(QString Name READ Name)
public:
    explicit FormObject(QWidget& form, QObject* parent = nullptr);

    QString Caption() const;
    void setCaption(const QString& caption);
    // The outer frame, in twips.
    int Left() const;
    void setLeft(int twips);
    int Top() const;
    void setTop(int twips);
    int Width() const;
    void setWidth(int twips);
    int Height() const;
    void setHeight(int twips);
    // The client area below the menu bar, in twips.
    int ScaleWidth() const;
    int ScaleHeight() const;
    bool Visible() const;
    void setVisible(bool visible);
    // 0 normal, 1 minimized, 2 maximized.
    int WindowState() const;
    void setWindowState(int state);
    bool Enabled() const;
    void setEnabled(bool enabled);
    QString Name() const;

    Q_INVOKABLE void Hide();
    Q_INVOKABLE void Show();
    // Left, then optionally Top, Width, Height, in twips.
    Q_INVOKABLE void Move(double left, double top, double width, double height);
    Q_INVOKABLE void Move(double left, double top, double width);
    Q_INVOKABLE void Move(double left, double top);
    Q_INVOKABLE void Move(double left);
    Q_INVOKABLE void Refresh();
    Q_INVOKABLE void SetFocus();
    // 0 brings the form to the front, 1 sends it to the back.
    Q_INVOKABLE void ZOrder(int position = 0);

protected:
    // The form, or nothing once it is gone (a script error is then raised).
    QWidget* form() const;

private:
    QRect frame() const;
    void setFrame(const QRect& twips);

    QPointer<QWidget> m_form;
};

} // namespace quillo
