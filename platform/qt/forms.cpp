// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/qt/qt_platform.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace platform {

// At 96 pixels per inch 15 twips make one pixel.
constexpr int twipsPerPixel = 15;

static QRect pixels(Twips where)
{
    return {where.left / twipsPerPixel, where.top / twipsPerPixel, where.width / twipsPerPixel,
            where.height / twipsPerPixel};
}

static QString qText(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

static QFont qFont(Font font)
{
    QFont qFont;
    qFont.setFamilies({QString::fromLatin1(font.family), QStringLiteral("DejaVu Sans"),
                       QStringLiteral("Liberation Sans")});
    qFont.setStyleHint(QFont::SansSerif);
    qFont.setPointSize(font.pointSize);
    qFont.setBold(font.bold);
    return qFont;
}

NativeForm::NativeForm(Form &form)
    : form(form)
{
}

void NativeForm::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Cancel))
        return;
    QDialog::keyPressEvent(event);
}

void NativeForm::closeEvent(QCloseEvent *event)
{
    form.Form_Unload();
    QDialog::closeEvent(event);
}

Form::Form(const char *name, std::string_view caption, int clientWidth, int clientHeight)
    : m_native(std::make_unique<NativeForm>(*this))
{
    m_native->setObjectName(QString::fromLatin1(name));
    m_native->setWindowFlags(Qt::Window);
    m_native->setWindowTitle(qText(caption));
    m_native->setFont(qFont(formFont));
    m_native->resize(clientWidth / twipsPerPixel, clientHeight / twipsPerPixel);
}

Form::~Form() = default;

void Form::showModal()
{
    m_native->exec();
}

void Form::hide()
{
    m_native->hide();
}

bool Form::isVisible() const
{
    return m_native->isVisible();
}

void Form::useActiveBorderColour()
{
    QPalette background = m_native->palette();
    // Qt has no role for window borders; this is the colour Windows gives them.
    background.setColor(QPalette::Window, QColor(180, 180, 180));
    m_native->setPalette(background);
}

void Form::setFocusOrder(std::initializer_list<Control *> controls)
{
    if (controls.size() == 0)
        return;
    for (auto control = controls.begin(); control + 1 != controls.end(); ++control)
        QWidget::setTabOrder(control[0]->native().widget, control[1]->native().widget);
    (*controls.begin())->setFocus();
}

Control::Control(std::unique_ptr<NativeControl> native)
    : m_native(std::move(native))
{
}

Control::~Control()
{
    delete m_native->widget;
}

bool Control::isVisible() const
{
    return !m_native->widget->isHidden();
}

void Control::setVisible(bool visible)
{
    m_native->widget->setVisible(visible);
}

void Control::setFocus()
{
    m_native->widget->setFocus();
}

static std::unique_ptr<NativeControl> place(QWidget *widget, const char *name, Twips where)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(pixels(where));
    return std::make_unique<NativeControl>(NativeControl {widget});
}

static QLabel *newLabel(Form &form, std::string_view text, Label::Alignment alignment, Font font)
{
    auto *label = new QLabel(qText(text), &form.native());
    label->setAlignment((alignment == Label::Alignment::Centre ? Qt::AlignHCenter : Qt::AlignLeft)
                        | Qt::AlignTop);
    label->setWordWrap(true);
    label->setFont(qFont(font));
    // Labels are opaque in the button-face colour whatever the window's own background.
    label->setAutoFillBackground(true);
    label->setBackgroundRole(QPalette::Button);
    return label;
}

Label::Label(Form &form, const char *name, std::string_view text, Twips where, Alignment alignment,
             Font font)
    : Control(place(newLabel(form, text, alignment, font), name, where))
{
}

std::string Label::text() const
{
    return widget<QLabel>(*this)->text().toStdString();
}

void Label::setText(std::string_view text)
{
    widget<QLabel>(*this)->setText(qText(text));
}

TextField::TextField(Form &form, const char *name, Twips where)
    : Control(place(new QLineEdit(&form.native()), name, where))
{
}

std::string TextField::text() const
{
    return widget<QLineEdit>(*this)->text().toStdString();
}

void TextField::setText(std::string_view text)
{
    widget<QLineEdit>(*this)->setText(qText(text));
}

void TextField::selectAll()
{
    widget<QLineEdit>(*this)->selectAll();
}

static NativeButton *newButton(Form &form, std::string_view caption, std::function<void()> onClick)
{
    auto *button = new NativeButton(qText(caption), &form.native());
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, std::move(onClick));
    return button;
}

Button::Button(Form &form, const char *name, std::string_view caption, Twips where,
               std::function<void()> onClick)
    : Control(place(newButton(form, caption, std::move(onClick)), name, where))
{
}

void NativeButton::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        animateClick();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void NativeButton::paintEvent(QPaintEvent *)
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

static QLabel *newPictureBox(Form &form, const char *picture)
{
    auto *box = new QLabel(&form.native());
    box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    box->setLineWidth(2);
    box->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    box->setPixmap(QPixmap(QStringLiteral(":/") + QString::fromLatin1(picture)));
    box->setFocusPolicy(Qt::TabFocus);
    return box;
}

PictureBox::PictureBox(Form &form, const char *name, const char *picture, Twips where)
    : Control(place(newPictureBox(form, picture), name, where))
{
}

} // namespace platform
