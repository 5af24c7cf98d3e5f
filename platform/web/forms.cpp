// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/web/web_platform.h"

#include <algorithm>
#include <cctype>

namespace platform {

namespace {

// At 96 pixels per inch 15 twips make one pixel, and the page's pixel is a ninety-sixth of an inch.
constexpr int twipsPerPixel = 15;
// Room left around a window that is scaled down to the page's view.
constexpr double viewMargin = 8;

Numbered<NativeForm> forms;
Numbered<NativeControl> controls;
// The windows whose modal display runs, the innermost last: it takes the keys.
std::vector<NativeForm *> modal;

val document()
{
    return val::global("document");
}

val create(const char *tag)
{
    return document().call<val>("createElement", std::string(tag));
}

std::string pixels(int twips)
{
    return std::to_string(twips / twipsPerPixel) + "px";
}

std::string cssFont(Font font)
{
    return std::string(font.bold ? "bold " : "") + std::to_string(font.pointSize) + "pt \""
        + font.family + "\", sans-serif";
}

// The page tells its listener which letters are the access keys of the window that takes the
// keys, so that Alt with any other letter stays the browser's.
void publishAccessKeys()
{
    std::string keys;
    if (!modal.empty()) {
        for (const NativeControl *control : modal.back()->controls) {
            if (control->accessKey)
                keys += control->accessKey;
        }
    }
    document()["documentElement"]["dataset"].set("accessKeys", keys);
}

// The controls of the window that takes the keys which can take the focus now.
std::vector<NativeControl *> focusable(const NativeForm &form)
{
    std::vector<NativeControl *> shown;
    std::copy_if(form.focusOrder.begin(), form.focusOrder.end(), std::back_inserter(shown),
                 [](NativeControl *control) { return !control->element["hidden"].as<bool>(); });
    return shown;
}

} // namespace

NativeForm::NativeForm(Form &form, const char *name, std::string_view caption, int width,
                       int height)
    : form(form)
    , element(create("section"))
    , client(create("div"))
    , number(forms.add(this))
{
    element.set("id", std::string(name));
    element.set("className", std::string("form"));
    element.set("hidden", true);
    element.call<void>("setAttribute", std::string("role"), std::string("dialog"));
    element.call<void>("setAttribute", std::string("aria-label"), std::string(caption));
    element["style"].set("font", cssFont(formFont));

    val title = create("div");
    title.set("className", std::string("title"));
    val text = create("span");
    text.set("className", std::string("caption"));
    text.set("textContent", std::string(caption));
    val close = create("button");
    close.set("className", std::string("close"));
    close.set("tabIndex", -1);
    close.call<void>("setAttribute", std::string("aria-label"), std::string("Sluiten"));
    close["dataset"].set("close", number);
    title.call<void>("append", text, close);

    client.set("className", std::string("client"));
    client["style"].set("width", pixels(width));
    client["style"].set("height", pixels(height));
    element.call<void>("append", title, client);
    document()["body"].call<void>("append", element);
}

NativeForm::~NativeForm()
{
    element.call<void>("remove");
    forms.remove(number);
}

void NativeForm::fitTheView()
{
    const double width = element["offsetWidth"].as<double>();
    const double height = element["offsetHeight"].as<double>();
    const double viewWidth = val::global("innerWidth").as<double>() - 2 * viewMargin;
    const double viewHeight = val::global("innerHeight").as<double>() - 2 * viewMargin;
    const double scale = std::min({1.0, viewWidth / width, viewHeight / height});
    element["style"].call<void>("setProperty", std::string("--scale"), std::to_string(scale));
}

void fitTheViews()
{
    for (NativeForm *form : modal)
        form->fitTheView();
}

// The names of windows and controls are the page's ids and data-name attributes.
Form::Form(const char *name, std::string_view caption, int clientWidth, int clientHeight)
    : m_native(std::make_unique<NativeForm>(*this, name, caption, clientWidth, clientHeight))
{
}

Form::~Form() = default;

// The windows behind the one shown modally take no input while it shows.
void Form::showModal()
{
    NativeForm &form = *m_native;
    for (NativeForm *behind : modal)
        behind->element.set("inert", true);
    modal.push_back(&form);
    publishAccessKeys();
    form.element.set("hidden", false);
    form.fitTheView();
    const bool hasFocus = form.element.call<bool>("contains", document()["activeElement"]);
    if (const auto shown = focusable(form); !hasFocus && !shown.empty())
        shown.front()->element.call<void>("focus");

    runEventsUntil([this] { return !isVisible(); });

    std::erase(modal, &form);
    if (!modal.empty())
        modal.back()->element.set("inert", false);
    publishAccessKeys();
}

void Form::hide()
{
    m_native->element.set("hidden", true);
}

bool Form::isVisible() const
{
    return !m_native->element["hidden"].as<bool>();
}

void Form::useActiveBorderColour()
{
    m_native->client["classList"].call<void>("add", std::string("active-border"));
}

void Form::setFocusOrder(std::initializer_list<Control *> controls)
{
    m_native->focusOrder.clear();
    for (Control *control : controls)
        m_native->focusOrder.push_back(&control->native());
}

void closeForm(int number)
{
    if (NativeForm *form = forms.find(number)) {
        form->form.Form_Unload();
        form->form.hide();
    }
}

// Tab and Shift+Tab go round the controls in their order, as in a dialog.
void moveFocus(bool backwards)
{
    if (modal.empty())
        return;
    const std::vector<NativeControl *> shown = focusable(*modal.back());
    if (shown.empty())
        return;
    const val focus = document()["activeElement"];
    const auto at = std::find_if(shown.begin(), shown.end(), [&](NativeControl *control) {
        return control->element.strictlyEquals(focus);
    });
    const auto count = std::ptrdiff_t(shown.size());
    std::ptrdiff_t next = backwards ? count - 1 : 0;
    if (at != shown.end())
        next = ((at - shown.begin()) + (backwards ? count - 1 : 1)) % count;
    shown[size_t(next)]->element.call<void>("focus");
}

NativeControl::NativeControl(Form &form, const char *tag, const char *name, Twips where)
    : form(form.native())
    , element(create(tag))
    , number(controls.add(this))
{
    element["dataset"].set("name", std::string(name));
    element["dataset"].set("control", number);
    val style = element["style"];
    style.set("left", pixels(where.left));
    style.set("top", pixels(where.top));
    style.set("width", pixels(where.width));
    style.set("height", pixels(where.height));
    this->form.client.call<void>("append", element);
    this->form.controls.push_back(this);
}

NativeControl::~NativeControl()
{
    element.call<void>("remove");
    controls.remove(number);
    std::erase(form.focusOrder, this);
    std::erase(form.controls, this);
}

void clickControl(int number)
{
    if (NativeControl *control = controls.find(number); control && control->onClick)
        control->onClick();
}

// Alt with a letter presses the shown button with that access key, in the window that takes the
// keys.
void pressAccessKey(char letter)
{
    if (modal.empty())
        return;
    for (NativeControl *control : modal.back()->controls) {
        if (control->accessKey == letter && !control->element["hidden"].as<bool>()) {
            control->onClick();
            return;
        }
    }
}

Control::Control(std::unique_ptr<NativeControl> native)
    : m_native(std::move(native))
{
}

Control::~Control() = default;

bool Control::isVisible() const
{
    return !m_native->element["hidden"].as<bool>();
}

void Control::setVisible(bool visible)
{
    m_native->element.set("hidden", !visible);
}

void Control::setFocus()
{
    m_native->element.call<void>("focus");
}

Label::Label(Form &form, const char *name, std::string_view text, Twips where, Alignment alignment,
             Font font)
    : Control(std::make_unique<NativeControl>(form, "div", name, where))
{
    val element = native().element;
    element.set("className",
                std::string(alignment == Alignment::Centre ? "label centre" : "label"));
    element["style"].set("font", cssFont(font));
    element.set("textContent", std::string(text));
}

std::string Label::text() const
{
    return native().element["textContent"].as<std::string>();
}

void Label::setText(std::string_view text)
{
    native().element.set("textContent", std::string(text));
}

TextField::TextField(Form &form, const char *name, Twips where)
    : Control(std::make_unique<NativeControl>(form, "input", name, where))
{
    val element = native().element;
    element.set("className", std::string("field"));
    element.set("type", std::string("text"));
    element.set("autocomplete", std::string("off"));
    element.set("spellcheck", false);
    element.call<void>("setAttribute", std::string("autocapitalize"), std::string("off"));
}

std::string TextField::text() const
{
    return native().element["value"].as<std::string>();
}

void TextField::setText(std::string_view text)
{
    native().element.set("value", std::string(text));
}

void TextField::selectAll()
{
    native().element.call<void>("select");
}

// The letter after "&" is underlined and is the access key.
Button::Button(Form &form, const char *name, std::string_view caption, Twips where,
               std::function<void()> onClick)
    : Control(std::make_unique<NativeControl>(form, "button", name, where))
{
    NativeControl &button = native();
    button.element.set("className", std::string("button"));
    button.element.set("type", std::string("button"));
    button.onClick = std::move(onClick);
    const auto mark = caption.find('&');
    if (mark == std::string_view::npos || mark + 1 == caption.size()) {
        button.element.set("textContent", std::string(caption));
        return;
    }
    button.accessKey = char(std::tolower(static_cast<unsigned char>(caption[mark + 1])));
    val key = create("u");
    key.set("textContent", std::string(caption.substr(mark + 1, 1)));
    button.element.call<void>("append", std::string(caption.substr(0, mark)), key,
                              std::string(caption.substr(mark + 2)));
    button.element.call<void>("setAttribute", std::string("aria-keyshortcuts"),
                              "Alt+" + std::string(1, char(std::toupper(button.accessKey))));
}

// The picture comes from the page's own pictures, by name.
PictureBox::PictureBox(Form &form, const char *name, const char *picture, Twips where)
    : Control(std::make_unique<NativeControl>(form, "div", name, where))
{
    val element = native().element;
    element.set("className", std::string("picture"));
    element.set("tabIndex", -1);
    const val pictures = document().call<val>("getElementById", std::string("pictures"));
    if (pictures.isNull())
        return;
    const val found = pictures["content"].call<val>(
        "querySelector", "img[data-picture=\"" + std::string(picture) + "\"]");
    if (!found.isNull())
        element.call<void>("append", found.call<val>("cloneNode"));
}

} // namespace platform
