#pragma once
// Controls of a form: picture boxes, sprites, labels, buttons, text boxes,
// option buttons and check boxes. A control's rectangle is game state: the game
// moves sprites by their position and reads positions back for hit tests.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "runtime/look.h"
#include "runtime/picture.h"
#include "runtime/surface.h"
#include "runtime/text.h"

namespace kv {

class Form;
class Runtime;

class Control {
public:
    Control(Form& form, std::string name, Control* parent, Rect r);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& name() const { return name_; }
    Form& form() { return form_; }
    Control* parent() const { return parent_; }

    int left() const { return rect_.x; }
    int top() const { return rect_.y; }
    int width() const { return rect_.w; }
    int height() const { return rect_.h; }
    bool visible() const { return visible_; }
    Rect rect() const { return rect_; }

    void setLeft(int v) { setRect(Rect{v, rect_.y, rect_.w, rect_.h}); }
    void setTop(int v) { setRect(Rect{rect_.x, v, rect_.w, rect_.h}); }
    void move(int l, int t) { setRect(Rect{l, t, rect_.w, rect_.h}); }
    void setSize(int w, int h) { setRect(Rect{rect_.x, rect_.y, w, h}); }
    virtual void setVisible(bool v);
    // Windowed controls (picture boxes, buttons, boxes) always stand above the
    // windowless ones (images, labels) of the same container.
    virtual bool windowed() const { return true; }
    // Picture boxes hold other controls, drawn inside them.
    virtual bool holdsControls() const { return false; }
    // Paints the area (in the control's own coordinates) again from what the
    // control keeps: a picture box whose drawing is not kept repaints it from
    // its kept image when something over it moved away.
    virtual void repaint(Rect) {}
    // The part of the control (its own coordinates) that it paints whatever lies
    // beneath; empty for one that shows through anywhere.
    virtual Rect opaqueArea() const { return {}; }
    // Text typed and Backspace, for a control that takes text (a text box).
    virtual bool takesText() const { return false; }
    virtual void type(const std::string&) {}
    virtual void backspace() {}
    // Another option of the same container was chosen.
    virtual void otherOptionChosen() {}
    // Where the control sits on its form's client area, following its containers.
    Rect formRect() const;
    bool shownOnForm() const;   // visible, and every container visible too

    bool enabled = true;
    std::function<void()> onClick;
    virtual bool clickable() const { return static_cast<bool>(onClick); }
    virtual void click();
    // The keyboard focus: Tab and the arrows move it among the controls that
    // take it, and each shows it in its own way.
    virtual bool takesFocus() const { return false; }
    // Enter presses the focused control itself, not the form's default button.
    virtual bool pressedByEnter() const { return false; }
    bool focused() const { return focused_; }
    void setFocused(bool on) { focused_ = on; }

    // Paints the control into a view of its own rectangle (clipped to the
    // containers it sits in).
    virtual void draw(SurfaceView out, Runtime& rt) = 0;
    virtual void describe(nlohmann::json& out) const;
    // Adds everything draw() reads, so that a frame is presented only when one
    // of them changed.
    virtual void look(LookHash& h) const;

protected:
    void setRect(Rect r);
    void changed(Rect oldRect);   // tells containers underneath to repaint
    Form& form_;
    std::string name_;
    Control* parent_;
    Rect rect_;
    bool visible_ = true;
    bool focused_ = false;
};

// A surface that keeps what is painted into it. With persistent drawing on (the
// default), drawing goes into the kept image. With it off, drawing goes straight
// to the screen copy: the kept image stays as the background, and whatever is
// drawn on the screen copy is lost wherever a child or a window above it moves
// away and that area is repainted from the kept image.
class PictureBox : public Control {
public:
    PictureBox(Form& form, std::string name, Control* parent, Rect r, Color back);
    Surface& canvas();                     // where drawing goes now
    const Surface& shown() const { return screen_ ? *screen_ : image_; }
    Surface& image() { ++drawn_; return image_; }
    bool autoRedraw() const { return !screen_; }
    void setAutoRedraw(bool on);
    void cls();                            // back to the back colour and picture
    void setPicture(const Picture& p);     // replaces everything drawn so far
    const Picture& picture() const { return picture_; }
    Color backColor() const { return back_; }
    void setBackColor(Color c) { back_ = c; }
    void repaint(Rect area) override;      // repaint area of the screen copy from the kept image
    bool holdsControls() const override { return true; }
    Rect opaqueArea() const override { return blendOnFrame ? Rect{} : Rect{0, 0, rect_.w, rect_.h}; }
    // Counts the hands given out on the box's pixels: a drawing may have changed
    // what it shows whenever this moved.
    std::uint64_t drawn() const { return drawn_; }
    Font font{8, false};                   // for text printed into the box
    bool blendOnFrame = false;             // transparent parts show what is behind
    // A picture that serves as a button (the main menu's): the keyboard focus
    // stops on it and shows as a ring inside its edge.
    bool tabStop = false;
    bool takesFocus() const override { return tabStop && enabled && clickable(); }
    bool pressedByEnter() const override { return tabStop; }
    void draw(SurfaceView out, Runtime& rt) override;
    void describe(nlohmann::json& out) const override;
    void look(LookHash& h) const override;
    void setVisible(bool v) override;

private:
    void resizeSurfaces();
    std::uint64_t drawn_ = 0;
    Color back_;
    Picture picture_;
    Surface image_;
    std::unique_ptr<Surface> screen_;
};

// An image sprite: shows a picture at its natural size.
class Image : public Control {
public:
    Image(Form& form, std::string name, Control* parent, Rect r);
    void setPicture(const Picture& p);     // the sprite takes the picture's size
    void clearPicture();                   // keeps the size
    const Picture& picture() const { return picture_; }
    bool windowed() const override { return false; }
    Rect opaqueArea() const override;
    void draw(SurfaceView out, Runtime& rt) override;
    void describe(nlohmann::json& out) const override;
    void look(LookHash& h) const override;

private:
    Picture picture_;
};

enum class Align { Left, Right, Center };

class Label : public Control {
public:
    Label(Form& form, std::string name, Control* parent, Rect r, std::string caption);
    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& c);
    Color foreColor() const { return fore_; }
    void setForeColor(Color c) { fore_ = c; }
    Font font;
    Align align = Align::Left;
    bool autoSize = false;
    bool wordWrap = false;
    std::optional<Color> back;             // none: transparent
    void fitToCaption(Runtime& rt);        // auto-size: width and height of the caption
    bool windowed() const override { return false; }
    void draw(SurfaceView out, Runtime& rt) override;
    void describe(nlohmann::json& out) const override;
    void look(LookHash& h) const override;

private:
    std::string caption_;
    Color fore_{0, 0, 0};
};

class Button : public Control {
public:
    Button(Form& form, std::string name, Control* parent, Rect r, std::string caption);
    std::string caption;
    Font font{8, true};
    Picture face;                          // drawn instead of the caption when set
    bool clickable() const override { return enabled; }
    bool takesFocus() const override { return enabled; }
    bool pressedByEnter() const override { return true; }
    void draw(SurfaceView out, Runtime& rt) override;
    void describe(nlohmann::json& out) const override;
    void look(LookHash& h) const override;
};

class TextBox : public Control {
public:
    TextBox(Form& form, std::string name, Control* parent, Rect r);
    std::string text;
    int maxLength = 0;                     // 0: no limit
    Font font{10, false};
    bool allSelected = false;              // typing replaces the whole text
    bool takesText() const override { return true; }
    void type(const std::string& s) override;
    void backspace() override;
    bool clickable() const override { return enabled; }
    bool takesFocus() const override { return enabled; }
    void draw(SurfaceView out, Runtime& rt) override;
    void describe(nlohmann::json& out) const override;
    void look(LookHash& h) const override;
};

// A caption with a mark in front of it that is on or off: the common part of
// option buttons and check boxes.
class Toggle : public Control {
public:
    std::string caption;
    Font font{8, false};
    Color fore{255, 255, 255};
    bool value() const { return value_; }
    bool clickable() const override { return enabled; }
    bool takesFocus() const override { return enabled; }
    void draw(SurfaceView out, Runtime& rt) override;
    void describe(nlohmann::json& out) const override;
    void look(LookHash& h) const override;

protected:
    Toggle(Form& form, std::string name, Control* parent, Rect r, std::string caption);
    // The mark, centred on (cx, cy) of the control's view.
    virtual void drawMark(SurfaceView out, int cx, int cy) const = 0;
    bool value_ = false;
};

// Option buttons of one container are exclusive; selecting one runs its click.
class OptionButton : public Toggle {
public:
    OptionButton(Form& form, std::string name, Control* parent, Rect r, std::string caption);
    void setValue(bool v);                 // selecting runs onClick, like a click
    void click() override { setValue(true); }
    void otherOptionChosen() override { value_ = false; }

private:
    void drawMark(SurfaceView out, int cx, int cy) const override;
};

class CheckBox : public Toggle {
public:
    CheckBox(Form& form, std::string name, Control* parent, Rect r, std::string caption);
    void setValue(bool v) { value_ = v; }  // ticking from code runs no click
    void click() override;                 // the player's click flips it

private:
    void drawMark(SurfaceView out, int cx, int cy) const override;
};

}  // namespace kv
