// What each control, form and box contributes to the look of the frame.
#include "runtime/look.h"

#include <functional>
#include <string_view>

#include "runtime/controls.h"

namespace kv {

namespace {
void addFont(LookHash& h, const Font& f) { h.add(std::uint64_t(f.sizePt) * 2 + (f.bold ? 1 : 0)); }
}  // namespace

void LookHash::add(const std::string& s) {
    add(std::hash<std::string_view>{}(s));
    add(s.size());
}

void Control::look(LookHash& h) const {
    h.add((visible_ ? 1 : 0) | (focused_ ? 2 : 0));
    h.add(rect_);
}

void PictureBox::look(LookHash& h) const {
    Control::look(h);
    if (!visible_) return;
    h.add(drawn_);
    h.add(picture_.image.get());
    h.add(back_.argb());
    h.add(blendOnFrame ? 1 : 0);
}

void Image::look(LookHash& h) const {
    Control::look(h);
    if (visible_) h.add(picture_.image.get());
}

void Label::look(LookHash& h) const {
    Control::look(h);
    if (!visible_) return;
    h.add(caption_);
    h.add(fore_.argb());
    h.add(back ? back->argb() : 0x1'0000'0000ull);
    addFont(h, font);
    h.add((std::uint64_t(align) << 2) | (wordWrap ? 2 : 0) | (autoSize ? 1 : 0));
}

void Button::look(LookHash& h) const {
    Control::look(h);
    if (!visible_) return;
    h.add(caption);
    addFont(h, font);
    h.add(face.image.get());
    h.add(enabled ? 1 : 0);
}

void TextBox::look(LookHash& h) const {
    Control::look(h);
    if (!visible_) return;
    h.add(text);
    addFont(h, font);
    h.add(allSelected ? 1 : 0);
}

void Toggle::look(LookHash& h) const {
    Control::look(h);
    if (!visible_) return;
    h.add(caption);
    addFont(h, font);
    h.add(fore.argb());
    h.add(value_ ? 1 : 0);
}

}  // namespace kv
