// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/forms.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace platform {

Form::Form(const QString &caption, QSize clientSize)
{
    setWindowFlags(Qt::Window);
    setWindowTitle(caption);
    // The layouts are made for the classic Windows form font, at whose size every text fits.
    setFont(platform::font(QStringLiteral("MS Sans Serif"), 8, false));
    resize(clientSize);
}

void Form::showModal()
{
    exec();
}

void Form::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Cancel))
        return;
    QDialog::keyPressEvent(event);
}

void Button::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        animateClick();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void Button::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);

    int flags = Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
    if (!style()->styleHint(QStyle::SH_UnderlineShortcut, &option, this))
        flags |= Qt::TextHideMnemonic;
    painter.drawItemText(style()->subElementRect(QStyle::SE_PushButtonContents, &option, this),
                         flags, palette(), isEnabled(), caption, QPalette::ButtonText);
}

template<typename Control> static Control *place(Control *control, const char *name, QRect geometry)
{
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(geometry);
    return control;
}

QLabel *addLabel(QWidget *form, const char *name, const QString &text, QRect geometry)
{
    auto *label = place(new QLabel(text, form), name, geometry);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    // Labels are opaque in the button-face colour whatever the window's own background.
    label->setAutoFillBackground(true);
    label->setBackgroundRole(QPalette::Button);
    return label;
}

QLineEdit *addTextField(QWidget *form, const char *name, QRect geometry)
{
    return place(new QLineEdit(form), name, geometry);
}

Button *addButton(QWidget *form, const char *name, const QString &text, QRect geometry)
{
    auto *button = place(new Button(text, form), name, geometry);
    button->setAutoDefault(false);
    return button;
}

QLabel *addPictureBox(QWidget *form, const char *name, const QString &picture, QRect geometry)
{
    auto *box = place(new QLabel(form), name, geometry);
    box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    box->setLineWidth(2);
    box->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    box->setPixmap(QPixmap(picture));
    box->setFocusPolicy(Qt::TabFocus);
    return box;
}

void setFocusOrder(std::initializer_list<QWidget *> controls)
{
    for (auto control = controls.begin(); control + 1 != controls.end(); ++control)
        QWidget::setTabOrder(control[0], control[1]);
}

QFont font(const QString &family, int pointSize, bool bold)
{
    QFont font;
    font.setFamilies({family, QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(pointSize);
    font.setBold(bold);
    return font;
}

QColor activeBorderColour()
{
    // Qt has no role for window borders; this is the colour Windows gives them.
    return QColor(180, 180, 180);
}

} // namespace platform
