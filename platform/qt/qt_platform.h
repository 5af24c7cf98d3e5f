// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The Qt widgets behind the program's windows and controls, all of them defined in forms.cpp.
// The rest of platform/qt/ implements what platform/toolkit.h asks of a toolkit: alarm.cpp the
// alarms, program.cpp the message box and the end of the event loops, application.cpp the start.
// Tests and the benchmark reach the widgets through widget().

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
