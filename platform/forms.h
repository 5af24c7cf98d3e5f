// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

// Positions and sizes in twips, relative to the window's client area: 1440 twips make an inch,
// 15 make a pixel at 96 pixels per inch.
struct Twips
{
    int left;
    int top;
    int width;
    int height;
};

struct Font
{
    const char *family; // where the machine lacks it, a plain sans-serif face
    int pointSize;
    bool bold;
};

// The layouts are made for the classic Windows form font, at whose size every text fits.
inline constexpr Font formFont {"MS Sans Serif", 8, false};

// What each toolkit keeps of a window and of a control.
struct NativeForm;
struct NativeControl;
class Control;

// A top-level window with the default resizable frame, opening centred on the screen. Escape
// does not close it, and no button is its default: Enter presses only the focused button.
class Form
{
public:
    // Named after the window's class; the client area is given in twips.
    Form(const char *name, std::string_view caption, int clientWidth, int clientHeight);
    virtual ~Form();
    Form(const Form &) = delete;
    Form &operator=(const Form &) = delete;

    // Shows the window and waits until it is hidden or closed, or the program ends.
    void showModal();
    void hide();
    bool isVisible() const;

    // The window takes the system colour of an active window's border.
    void useActiveBorderColour();

    // The keyboard focus moves through the controls in this order, and starts at the first.
    void setFocusOrder(std::initializer_list<Control *> controls);

    // Runs when the window is closed through its frame, before it hides; hiding ends its modal
    // display.
    virtual void Form_Unload() { }

    NativeForm &native() const { return *m_native; }

private:
    std::unique_ptr<NativeForm> m_native;
};

// A control placed at a fixed position in its window, named after the control.
class Control
{
public:
    virtual ~Control();
    Control(const Control &) = delete;
    Control &operator=(const Control &) = delete;

    // Whether the control itself is shown, whether or not its window is.
    bool isVisible() const;
    void setVisible(bool visible);
    void show() { setVisible(true); }
    void hide() { setVisible(false); }
    void setFocus();

    NativeControl &native() const { return *m_native; }

protected:
    explicit Control(std::unique_ptr<NativeControl> native);

private:
    std::unique_ptr<NativeControl> m_native;
};

// Static text on an opaque background, starting at the top of its box; long texts wrap.
class Label final : public Control
{
public:
    enum class Alignment { Left, Centre };

    Label(Form &form, const char *name, std::string_view text, Twips where,
          Alignment alignment = Alignment::Left, Font font = formFont);

    std::string text() const;
    void setText(std::string_view text);
};

// A single-line text field.
class TextField final : public Control
{
public:
    TextField(Form &form, const char *name, Twips where);

    std::string text() const;
    void setText(std::string_view text);
    void selectAll();
};

// A push button; "&" marks the next letter of its caption as its access key. Captions too long
// for the button wrap within it.
class Button final : public Control
{
public:
    Button(Form &form, const char *name, std::string_view caption, Twips where,
           std::function<void()> onClick);
};

// A picture with the standard sunken border, drawn from its top-left corner. It takes the focus
// in its turn while it is shown.
class PictureBox final : public Control
{
public:
    // The picture is one of the program's resources, by file name.
    PictureBox(Form &form, const char *name, const char *picture, Twips where);
};

} // namespace platform
