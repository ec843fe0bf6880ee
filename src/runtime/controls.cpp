#include "runtime/controls.h"

#include <nlohmann/json.hpp>

#include "runtime/form.h"
#include "runtime/runtime.h"

namespace kv {

namespace {
nlohmann::json colourJson(Color c) { return nlohmann::json::array({c.r, c.g, c.b}); }

// The keyboard focus, the same gold on every kind of control.
constexpr Color kFocusRing{255, 210, 90};

void bevel(SurfaceView s, Rect r, Color light, Color dark) {
    s.fillRect(Rect{r.x, r.y, r.w, 1}, light);
    s.fillRect(Rect{r.x, r.y, 1, r.h}, light);
    s.fillRect(Rect{r.x, r.bottom() - 1, r.w, 1}, dark);
    s.fillRect(Rect{r.right() - 1, r.y, 1, r.h}, dark);
}
}  // namespace

// ---- Control ---------------------------------------------------------------

Control::Control(Form& form, std::string name, Control* parent, Rect r)
    : form_(form), name_(std::move(name)), parent_(parent), rect_(r) {}

void Control::setRect(Rect r) {
    if (r == rect_) return;
    Rect old = rect_;
    rect_ = r;
    if (visible_) changed(old);
}

void Control::setVisible(bool v) {
    if (v == visible_) return;
    visible_ = v;
    if (!v) changed(rect_);
}

void Control::changed(Rect oldRect) {
    if (parent_) parent_->repaint(oldRect);
    if (windowed()) form_.invalidateBeneath(*this, oldRect);
}

Rect Control::formRect() const {
    Rect r = rect_;
    for (const Control* p = parent_; p; p = p->parent()) {
        r.x += p->left();
        r.y += p->top();
    }
    return r;
}

bool Control::shownOnForm() const {
    for (const Control* c = this; c; c = c->parent())
        if (!c->visible()) return false;
    return true;
}

void Control::click() {
    if (enabled && onClick) onClick();
}

void Control::describe(nlohmann::json& out) const {
    out["left"] = rect_.x;
    out["top"] = rect_.y;
    out["width"] = rect_.w;
    out["height"] = rect_.h;
    out["visible"] = visible_;
}

// ---- PictureBox ------------------------------------------------------------

PictureBox::PictureBox(Form& form, std::string name, Control* parent, Rect r, Color back)
    : Control(form, std::move(name), parent, r), back_(back), image_(r.w, r.h, back) {}

void PictureBox::resizeSurfaces() {
    if (image_.width() == rect_.w && image_.height() == rect_.h) return;
    Surface fresh(rect_.w, rect_.h, back_);
    fresh.blit(image_, 0, 0);
    image_ = std::move(fresh);
    if (screen_) {
        Surface s(rect_.w, rect_.h, back_);
        s.blit(*screen_, 0, 0);
        *screen_ = std::move(s);
    }
}

Surface& PictureBox::canvas() {
    ++drawn_;
    resizeSurfaces();
    return screen_ ? *screen_ : image_;
}

void PictureBox::setAutoRedraw(bool on) {
    if (on == autoRedraw()) return;
    ++drawn_;
    if (on) {
        screen_.reset();
    } else {
        resizeSurfaces();
        screen_ = std::make_unique<Surface>(image_);
    }
}

// True when the picture paints every pixel of the surface by itself.
static bool covers(const Picture& p, const Surface& s) {
    return !p.empty() && p.opaque && p.width() >= s.width() && p.height() >= s.height();
}

void PictureBox::cls() {
    resizeSurfaces();
    Surface& c = canvas();
    if (!covers(picture_, c)) c.fill(back_);
    if (!picture_.empty()) c.blit(*picture_.image, 0, 0);
}

void PictureBox::setPicture(const Picture& p) {
    ++drawn_;
    picture_ = p;
    resizeSurfaces();
    if (!covers(p, image_)) image_.fill(back_);
    if (!p.empty()) image_.blit(*p.image, 0, 0);
    if (screen_) *screen_ = image_;
}

void PictureBox::repaint(Rect area) {
    if (!screen_) return;
    Rect a = area.intersect(image_.bounds());
    if (a.empty()) return;
    ++drawn_;
    screen_->blit(image_, a, a.x, a.y);
}

void PictureBox::setVisible(bool v) {
    if (v && !visible() && screen_) *screen_ = image_, ++drawn_;   // shown again: repainted from the kept image
    Control::setVisible(v);
}

void PictureBox::draw(SurfaceView out, Runtime&) {
    resizeSurfaces();
    out.blit(shown(), 0, 0, blendOnFrame);
    if (focused_) {
        // Two pixels wide, inside the edge: the picture's own frame stays as drawn.
        bevel(out, Rect{1, 1, rect_.w - 2, rect_.h - 2}, kFocusRing, kFocusRing);
        bevel(out, Rect{2, 2, rect_.w - 4, rect_.h - 4}, kFocusRing, kFocusRing);
    }
}

void PictureBox::describe(nlohmann::json& out) const {
    Control::describe(out);
    out["picture"] = picture_.name;
}

// ---- Image -----------------------------------------------------------------

Image::Image(Form& form, std::string name, Control* parent, Rect r)
    : Control(form, std::move(name), parent, r) {}

void Image::setPicture(const Picture& p) {
    Rect old = rect_;
    picture_ = p;
    if (!p.empty()) rect_.w = p.width(), rect_.h = p.height();
    if (visible_) changed(old);
}

Rect Image::opaqueArea() const {
    if (picture_.empty() || !picture_.opaque) return {};
    return Rect{0, 0, std::min(rect_.w, picture_.width()), std::min(rect_.h, picture_.height())};
}

void Image::clearPicture() {
    picture_ = Picture{};
    if (visible_) changed(rect_);
}

void Image::draw(SurfaceView out, Runtime&) {
    if (picture_.empty()) return;
    // A picture without a see-through pixel is copied: blending it would give the same.
    out.blit(*picture_.image, 0, 0, !picture_.opaque);
}

void Image::describe(nlohmann::json& out) const {
    Control::describe(out);
    out["picture"] = picture_.name;
}

// ---- Label -----------------------------------------------------------------

Label::Label(Form& form, std::string name, Control* parent, Rect r, std::string caption)
    : Control(form, std::move(name), parent, r), caption_(std::move(caption)) {}

void Label::setCaption(const std::string& c) {
    caption_ = c;
    if (autoSize) fitToCaption(form_.rt());
}

void Label::fitToCaption(Runtime& rt) {
    setSize(rt.text().measure(font, caption_), rt.text().lineHeight(font));
}

void Label::draw(SurfaceView out, Runtime& rt) {
    if (back) out.fill(*back);
    TextEngine& te = rt.text();
    int lh = te.lineHeight(font);
    // Word wrap: break at spaces and carriage returns to fit the label's width.
    std::vector<std::string> lines;
    std::string cur;
    auto flush = [&] { lines.push_back(cur); cur.clear(); };
    std::string word;
    auto addWord = [&] {
        if (word.empty()) return;
        std::string trial = cur.empty() ? word : cur + " " + word;
        if (wordWrap && !cur.empty() && te.measure(font, trial) > rect_.w) {
            flush();
            cur = word;
        } else {
            cur = trial;
        }
        word.clear();
    };
    for (char ch : caption_) {
        if (ch == '\r' || ch == '\n') { addWord(); if (ch == '\r') flush(); continue; }
        if (ch == ' ' && wordWrap) { addWord(); continue; }
        word.push_back(ch);
    }
    addWord();
    flush();
    int y = 0;
    for (const auto& l : lines) {
        int w = te.measure(font, l);
        int x = align == Align::Left ? 0 : align == Align::Right ? rect_.w - w : (rect_.w - w) / 2;
        te.draw(out, font, l, x, y, fore_);
        y += lh;
    }
}

void Label::describe(nlohmann::json& out) const {
    Control::describe(out);
    out["caption"] = caption_;
    out["forecolor"] = colourJson(fore_);
}

// ---- Button ----------------------------------------------------------------

Button::Button(Form& form, std::string name, Control* parent, Rect r, std::string c)
    : Control(form, std::move(name), parent, r), caption(std::move(c)) {}

void Button::draw(SurfaceView out, Runtime& rt) {
    out.fill(Color(38, 44, 62));
    bevel(out, out.bounds(), Color(120, 130, 160), Color(12, 14, 22));
    if (!face.empty()) {
        out.blit(*face.image, (rect_.w - face.width()) / 2, (rect_.h - face.height()) / 2, true);
    } else {
        TextEngine& te = rt.text();
        int w = te.measure(font, caption), h = te.lineHeight(font);
        Color fg = enabled ? Color(230, 235, 255) : Color(110, 115, 130);
        te.draw(out, font, caption, (rect_.w - w) / 2, (rect_.h - h) / 2, fg);
    }
    if (focused_) bevel(out, Rect{3, 3, rect_.w - 6, rect_.h - 6}, kFocusRing, kFocusRing);
}

void Button::describe(nlohmann::json& out) const {
    Control::describe(out);
    out["caption"] = caption;
}

// ---- TextBox ---------------------------------------------------------------

TextBox::TextBox(Form& form, std::string name, Control* parent, Rect r)
    : Control(form, std::move(name), parent, r) {}

void TextBox::type(const std::string& s) {
    if (allSelected) { text.clear(); allSelected = false; }
    for (char32_t ch : decodeUtf8(s)) {
        if (ch < 32) continue;
        if (maxLength > 0 && static_cast<int>(decodeUtf8(text).size()) >= maxLength) break;
        // Re-encode the code point.
        std::string enc;
        if (ch < 0x80) enc.push_back(static_cast<char>(ch));
        else if (ch < 0x800) { enc.push_back(static_cast<char>(0xC0 | (ch >> 6))); enc.push_back(static_cast<char>(0x80 | (ch & 0x3F))); }
        else if (ch < 0x10000) { enc.push_back(static_cast<char>(0xE0 | (ch >> 12))); enc.push_back(static_cast<char>(0x80 | ((ch >> 6) & 0x3F))); enc.push_back(static_cast<char>(0x80 | (ch & 0x3F))); }
        else { enc.push_back(static_cast<char>(0xF0 | (ch >> 18))); enc.push_back(static_cast<char>(0x80 | ((ch >> 12) & 0x3F))); enc.push_back(static_cast<char>(0x80 | ((ch >> 6) & 0x3F))); enc.push_back(static_cast<char>(0x80 | (ch & 0x3F))); }
        text += enc;
    }
}

void TextBox::backspace() {
    if (allSelected) { text.clear(); allSelected = false; return; }
    while (!text.empty()) {
        unsigned char c = static_cast<unsigned char>(text.back());
        text.pop_back();
        if ((c & 0xC0) != 0x80) break;
    }
}

void TextBox::draw(SurfaceView out, Runtime& rt) {
    out.fill(Color(245, 245, 250));
    bevel(out, out.bounds(), Color(60, 60, 70), Color(200, 200, 210));
    TextEngine& te = rt.text();
    int h = te.lineHeight(font);
    SurfaceView inner = out.subregion(Rect{3, 0, rect_.w - 6, rect_.h});
    int y = (rect_.h - h) / 2;
    int w = te.measure(font, text);
    if (allSelected && !text.empty()) inner.fillRect(Rect{0, y, w, h}, Color(40, 80, 200));
    te.draw(inner, font, text, 0, y, allSelected ? kWhite : kBlack);
    if (focused_ && !allSelected) inner.fillRect(Rect{1 + w, y + 1, 1, h - 2}, kBlack);
}

void TextBox::describe(nlohmann::json& out) const {
    Control::describe(out);
    out["text"] = text;
}

// ---- Toggle: option buttons and check boxes -------------------------------

Toggle::Toggle(Form& form, std::string name, Control* parent, Rect r, std::string c)
    : Control(form, std::move(name), parent, r), caption(std::move(c)) {}

void Toggle::draw(SurfaceView out, Runtime& rt) {
    int cy = rect_.h / 2;
    drawMark(out, 7, cy);
    TextEngine& te = rt.text();
    const int lh = te.lineHeight(font);
    te.draw(out, font, caption, 18, cy - lh / 2, fore);
    if (focused_) {
        Rect ring{15, cy - lh / 2 - 1, std::min(te.measure(font, caption) + 6, rect_.w - 15), lh + 2};
        bevel(out, ring, kFocusRing, kFocusRing);
    }
}

void Toggle::describe(nlohmann::json& out) const {
    Control::describe(out);
    out["caption"] = caption;
    out["value"] = value_;
    out["forecolor"] = colourJson(fore);
}

OptionButton::OptionButton(Form& form, std::string name, Control* parent, Rect r, std::string c)
    : Toggle(form, std::move(name), parent, r, std::move(c)) {}

void OptionButton::setValue(bool v) {
    if (!v) {
        value_ = false;
        return;
    }
    for (Control* sib : form_.childrenOf(parent_)) {
        if (sib != this) sib->otherOptionChosen();
    }
    value_ = true;
    if (onClick) onClick();
}

void OptionButton::drawMark(SurfaceView out, int cx, int cy) const {
    // A round well, with a dot when selected.
    for (int y = -6; y <= 6; ++y)
        for (int x = -6; x <= 6; ++x) {
            int d = x * x + y * y;
            if (d <= 36) out.setPixel(cx + x, cy + y, d >= 25 ? Color(150, 160, 190) : Color(245, 245, 250));
            if (value_ && d <= 6) out.setPixel(cx + x, cy + y, Color(20, 20, 30));
        }
}

CheckBox::CheckBox(Form& form, std::string name, Control* parent, Rect r, std::string c)
    : Toggle(form, std::move(name), parent, r, std::move(c)) {}

void CheckBox::click() {
    if (!enabled) return;
    value_ = !value_;
    if (onClick) onClick();
}

void CheckBox::drawMark(SurfaceView out, int cx, int cy) const {
    // A sunken square, with a tick when checked.
    Rect box{cx - 6, cy - 6, 13, 13};
    out.fillRect(box, Color(245, 245, 250));
    bevel(out, box, Color(60, 60, 70), Color(200, 200, 210));
    if (!value_) return;
    for (int i = 0; i < 3; ++i) {
        out.line(box.x + 3, cy - 1 + i, box.x + 5, cy + 1 + i, Color(20, 20, 30));
        out.line(box.x + 5, cy + 1 + i, box.x + 10, cy - 4 + i, Color(20, 20, 30));
    }
}

}  // namespace kv
