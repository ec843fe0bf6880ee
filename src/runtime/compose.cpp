// Composes the visible forms, back to front, into the 800 x 600 frame.
#include "runtime/file_io.h"
#include "runtime/printable.h"
#include "runtime/runtime.h"

namespace kv {

namespace {

void drawChildren(Surface& frame, Form& form, const Control* container, int ox, int oy, Rect clip, Runtime& rt) {
    const auto& kids = form.childrenOf(container);
    // Windowless controls first: windowed ones always stand above them.
    for (int pass = 0; pass < 2; ++pass) {
        for (Control* c : kids) {
            if (!c->visible() || c->windowed() != (pass == 1)) continue;
            int x = ox + c->left(), y = oy + c->top();
            Rect r = Rect{x, y, c->width(), c->height()}.intersect(clip);
            if (r.empty()) continue;
            c->draw(frame, x, y, r, rt);
            if (c->kind() == ControlKind::PictureBox) drawChildren(frame, form, c, x, y, r, rt);
        }
    }
}

void drawWindowFrame(Surface& frame, Form& f, TextEngine& te) {
    Rect w = f.windowRect();
    Rect c = f.clientRect();
    frame.fillRect(Rect{w.x + 5, w.y + 5, w.w, w.h}, Color(0, 0, 0));
    frame.fillRect(w, Color(60, 66, 92));
    int titleH = c.y - w.y - (c.x - w.x);
    for (int i = 0; i < titleH; ++i)
        frame.fillRect(Rect{w.x, w.y + i, w.w, 1}, Color(20 + i * 2, 40 + i * 3, 110 + i * 4));
    te.draw(frame, Font{9, true}, f.caption, w.x + 8, w.y + 3, kWhite, 0, Rect{w.x, w.y, w.w, titleH});
    frame.fillRect(Rect{w.x, w.y, w.w, 1}, Color(150, 160, 200));
    frame.fillRect(Rect{w.x, w.y, 1, w.h}, Color(150, 160, 200));
    frame.fillRect(Rect{w.x, w.bottom() - 1, w.w, 1}, Color(10, 10, 16));
    frame.fillRect(Rect{w.right() - 1, w.y, 1, w.h}, Color(10, 10, 16));
}

}  // namespace

Surface Runtime::composeFrame() {
    Surface frame(800, 600, kBlack);
    for (Form* f : zorder_) {
        if (f->frame == FormFrame::Dialog) drawWindowFrame(frame, *f, text_);
        Rect client = f->clientRect();
        frame.fillRect(client, f->backColor);
        drawChildren(frame, *f, nullptr, client.x, client.y, client.intersect(frame.bounds()), *this);
    }
    if (box_) drawBox(frame);
    return frame;
}

void Runtime::writeScreenshot(const std::string& file) {
    Surface frame = composeFrame();
    std::string err;
    // Written beside the old picture and renamed over it: a run killed during
    // the write leaves the old picture whole.
    auto encode = [&](const std::string& target, std::string& e) { return svc_.codec.savePng(frame, target, e); };
    if (!writeFileSafely(file, encode, err))
        throw FatalError("Cannot write the screenshot " + printable(file) + ": " + err);
}

}  // namespace kv
