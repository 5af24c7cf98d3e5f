// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>
#include <QPushButton>
#include <QRect>
#include <initializer_list>

class QLabel;
class QLineEdit;

namespace platform {

// Layouts are given in twips; at 96 pixels per inch 15 twips make one pixel.
constexpr int twipsPerPixel = 15;

constexpr QSize twips(int width, int height)
{
    return {width / twipsPerPixel, height / twipsPerPixel};
}

constexpr QRect twips(int left, int top, int width, int height)
{
    return {left / twipsPerPixel, top / twipsPerPixel, width / twipsPerPixel,
            height / twipsPerPixel};
}

// A top-level window with the default resizable frame, opening centred on the screen.
// Escape does not close it: only the frame's close box and the program's own buttons do.
class Form : public QDialog
{
    Q_OBJECT

public:
    Form(const QString &caption, QSize clientSize);

    // Shows the window and waits until it closes or the program ends.
    void showModal();

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

// A push button that is never the window's default: Enter presses it only while it has the
// focus, as Space does. Captions too long for the button wrap within it.
class Button : public QPushButton
{
    Q_OBJECT

public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};

// Controls are placed at fixed positions in their window and named after the control, so that
// they can be found by name.
QLabel *addLabel(QWidget *form, const char *name, const QString &text, QRect geometry);
QLineEdit *addTextField(QWidget *form, const char *name, QRect geometry);
Button *addButton(QWidget *form, const char *name, const QString &text, QRect geometry);
QLabel *addPictureBox(QWidget *form, const char *name, const QString &picture, QRect geometry);

// The keyboard focus moves through the controls in the given order.
void setFocusOrder(std::initializer_list<QWidget *> controls);

// The named font where the machine has it, a plain sans-serif face where it does not.
QFont font(const QString &family, int pointSize, bool bold);

// The system colour of an active window's border.
QColor activeBorderColour();

} // namespace platform
