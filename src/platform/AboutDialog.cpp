#include "src/platform/AboutDialog.h"

#include "src/platform/QtDialogs.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

namespace quillo {

AboutDialog::AboutDialog(const QString& appText, const QString& otherText, const QIcon& icon,
                         QWidget* owner)
    : QDialog(owner) {
    setObjectName(QStringLiteral("AboutDialog"));
    setWindowTitle(QStringLiteral("About ") + appText);
    setWindowModality(Qt::WindowModal);
    setWindowIcon(icon);

    auto* iconLabel = new QLabel(this);
    iconLabel->setObjectName(QStringLiteral("AboutIcon"));
    iconLabel->setPixmap(icon.pixmap(32, 32));
    iconLabel->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    m_heading = new QLabel(appText, this);
    m_heading->setObjectName(QStringLiteral("AboutHeading"));
    QFont headingFont = m_heading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.5);
    m_heading->setFont(headingFont);

    m_other = new QLabel(toDisplayText(otherText), this);
    m_other->setObjectName(QStringLiteral("AboutText"));
    m_other->setTextFormat(Qt::PlainText);
    m_other->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* texts = new QVBoxLayout;
    texts->addWidget(m_heading);
    texts->addSpacing(8);
    texts->addWidget(m_other);
    texts->addStretch();

    auto* body = new QHBoxLayout;
    body->addWidget(iconLabel);
    body->addSpacing(12);
    body->addLayout(texts, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(buttons);
    setMinimumWidth(360);
}

QString AboutDialog::headingText() const { return m_heading->text(); }
QString AboutDialog::otherText() const { return m_other->text(); }

} // namespace quillo
