// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The Qt widgets behind the program's windows and controls.

#include "platform/forms.h"

#include <QDialog>
#include <QPointer>
#include <QPushButton>

namespace platform {

struct NativeForm : QDialog
{
    explicit NativeForm(Form &form);

    Form &form;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
};

struct NativeControl
{
    QPointer<QWidget> widget; // a child of the form's dialog, deleted with the control
};

// A push button that is never the window's default: Enter presses it only while it has the
// focus, as Space does. Captions too long for the button wrap within it.
class NativeButton : public QPushButton
{
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};

inline QDialog *widget(const Form &form)
{
    return &form.native();
}

template<typename Widget = QWidget> Widget *widget(const Control &control)
{
    return qobject_cast<Widget *>(control.native().widget.data());
}

} // namespace platform
