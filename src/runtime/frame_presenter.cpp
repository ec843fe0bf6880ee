// Composing the frame from the visible forms and the box that is up, what the
// frame looks like as one number, and showing it when that changed.
#include <algorithm>

#include "runtime/file_io.h"
#include "runtime/printable.h"
#include "runtime/frame_presenter.h"

#include "runtime/runtime.h"

namespace kv {

namespace {

// The controls of a container (null: the form itself) into the container's view.
void drawChildren(SurfaceView container, Form& form, const Control* of, Runtime& rt) {
    const auto& kids = form.childrenOf(of);
    // Windowless controls first: windowed ones always stand above them.
    for (int pass = 0; pass < 2; ++pass) {
        for (Control* c : kids) {
            if (!c->visible() || c->windowed() != (pass == 1)) continue;
            SurfaceView area = container.subregion(c->rect());
            if (area.empty()) continue;
            c->draw(area, rt);
            if (c->holdsControls()) drawChildren(area, form, c, rt);
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
    te.draw(frame.view().subregion(Rect{w.x, w.y, w.w, titleH}), Font{9, true}, f.caption, 8, 3, kWhite);
    frame.fillRect(Rect{w.x, w.y, w.w, 1}, Color(150, 160, 200));
    frame.fillRect(Rect{w.x, w.y, 1, w.h}, Color(150, 160, 200));
    frame.fillRect(Rect{w.x, w.bottom() - 1, w.w, 1}, Color(10, 10, 16));
    frame.fillRect(Rect{w.right() - 1, w.y, 1, w.h}, Color(10, 10, 16));
}

// Where the form's own controls will paint every pixel whatever lies beneath:
// opaque picture boxes and pictures without see-through pixels at the top level.
std::vector<Rect> coveredOnForm(const Form& form, Rect client) {
    std::vector<Rect> out;
    for (const Control* c : form.childrenOf(nullptr)) {
        if (!c->visible()) continue;
        Rect r = c->opaqueArea();
        r.x += client.x + c->left();
        r.y += client.y + c->top();
        r = r.intersect(client);
        if (!r.empty()) out.push_back(r);
    }
    std::sort(out.begin(), out.end(), [](const Rect& a, const Rect& b) { return a.x < b.x; });
    return out;
}

// Fills area with the colour except where covered (sorted by left edge).
void fillAround(Surface& frame, Rect area, const std::vector<Rect>& covered, Color c) {
    area = area.intersect(frame.bounds());
    for (int y = area.y; y < area.bottom(); ++y) {
        int x = area.x;
        for (const Rect& r : covered) {
            if (y < r.y || y >= r.bottom() || r.right() <= x) continue;
            if (r.x > x) frame.fillRect(Rect{x, y, std::min(r.x, area.right()) - x, 1}, c);
            x = std::max(x, r.right());
            if (x >= area.right()) break;
        }
        if (x < area.right()) frame.fillRect(Rect{x, y, area.right() - x, 1}, c);
    }
}

}  // namespace

const Surface& FramePresenter::compose() {
    // One frame buffer for the whole run; what the forms cover is not cleared first.
    if (frame_.width() != 800 || frame_.height() != 600) frame_ = Surface(800, 600, kBlack);
    Surface& frame = frame_;
    const FormTable& forms = rt_.forms();
    const auto& shown = forms.visible();
    const std::size_t first = forms.firstSeen();
    if (shown.empty() || shown[first]->frame != FormFrame::None ||
        shown[first]->clientRect().intersect(frame.bounds()) != frame.bounds())
        frame.fill(kBlack);
    for (std::size_t i = first; i < shown.size(); ++i) {
        Form* f = shown[i];
        if (f->frame == FormFrame::Dialog) drawWindowFrame(frame, *f, rt_.text());
        Rect client = f->clientRect();
        fillAround(frame, client, coveredOnForm(*f, client), f->backColor);
        drawChildren(frame.view().subregion(client), *f, nullptr, rt_);
    }
    rt_.boxes().draw(frame);
    ++composed_;
    return frame;
}

std::uint64_t FramePresenter::look() const {
    LookHash h;
    const auto& shown = rt_.forms().visible();
    for (std::size_t i = rt_.forms().firstSeen(); i < shown.size(); ++i) {
        const Form* f = shown[i];
        h.add(f);
        h.add(f->windowRect());
        h.add(f->clientRect());
        h.add(f->backColor.argb());
        if (f->frame == FormFrame::Dialog) h.add(f->caption);
        for (const auto& c : f->controls()) c->look(h);
    }
    rt_.boxes().look(h);
    return h.value();
}

int FramePresenter::showChanges() {
    const RuntimeConfig& cfg = rt_.config();
    Display& display = rt_.display();
    const std::uint64_t now = rt_.now();
    if (rt_.headless()) {
        // A timedemo composes as play would: one frame per 1/60 s of game
        // time at most, and only when something visible changed.
        if (!cfg.composeFrames || now < nextFrameAt_) return -1;
        std::uint64_t l = look();
        if (composed_ > 0 && l == shownLook_) return -1;
        compose();
        shownLook_ = l;
        std::uint64_t k = (now - cfg.clockStart) * 60 / 1000 + 1;
        nextFrameAt_ = cfg.clockStart + (k * 1000 + 59) / 60;
        return -1;
    }
    if (presented_ > 0) {
        if (look() == shownLook_) return -1;
        // At most one frame per display refresh (a little less than its period,
        // so that a display that waits for its refresh is never missed).
        const std::uint64_t gap = std::uint64_t(std::max(1, 1000 / std::max(1, display.refreshHz()) - 1));
        std::uint64_t since = display.wallMs() - lastPresent_;
        if (since < gap) return static_cast<int>(gap - since);
    }
    present();
    return -1;
}

void FramePresenter::present() {
    Display& display = rt_.display();
    lastPresent_ = display.wallMs();
    shownLook_ = look();
    display.present(compose());
    ++presented_;
}

void FramePresenter::showProgress() {
    if (!rt_.headless()) present();
}

void FramePresenter::writeScreenshot(const std::string& file) {
    const Surface& frame = compose();
    std::string png, err;
    // Written beside the old picture and renamed over it: a run killed during
    // the write leaves the old picture whole.
    if (!rt_.codec().encodePng(frame, png, err) || !writeFileSafely(file, png, err))
        throw FatalError("Cannot write the screenshot " + printable(file) + ": " + err);
}

}  // namespace kv
