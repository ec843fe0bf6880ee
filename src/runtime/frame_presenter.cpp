// Composing the frame from the visible forms and the box that is up, what the
// frame looks like as one number, and showing it when that changed.
#include <algorithm>
#include <cstring>

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

void drawWindowFrame(SurfaceView frame, Form& f, TextEngine& te) {
    Rect w = f.windowRect();
    Rect c = f.clientRect();
    frame.fillRect(Rect{w.x + 5, w.y + 5, w.w, w.h}, Color(0, 0, 0));
    frame.fillRect(w, Color(60, 66, 92));
    int titleH = c.y - w.y - (c.x - w.x);
    for (int i = 0; i < titleH; ++i)
        frame.fillRect(Rect{w.x, w.y + i, w.w, 1}, Color(20 + i * 2, 40 + i * 3, 110 + i * 4));
    te.draw(frame.subregion(Rect{w.x, w.y, w.w, titleH}), Font{9, true}, f.caption, 8, 3, kWhite);
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
void fillAround(SurfaceView frame, Rect area, const std::vector<Rect>& covered, Color c) {
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
    // One frame buffer for the whole run, reused.
    if (frame_.width() != 800 || frame_.height() != 600) frame_ = Surface(800, 600, kBlack);
    composeArea(frame_.bounds());
    ++composed_;
    return frame_;
}

void FramePresenter::composeArea(Rect area) {
    // What the forms cover is not cleared first.
    SurfaceView frame = frame_.view().clippedTo(area);
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
        fillAround(frame, client.intersect(area), coveredOnForm(*f, client), f->backColor);
        drawChildren(frame.subregion(client), *f, nullptr, rt_);
    }
    rt_.boxes().draw(frame);
}

// What the frame showed, control by control: where each one was on the frame
// and what its look was, and the forms' and the box's own looks.
FramePresenter::Snapshot FramePresenter::snapshot() const {
    Snapshot shot;
    const auto& shown = rt_.forms().visible();
    for (std::size_t i = rt_.forms().firstSeen(); i < shown.size(); ++i) {
        const Form* f = shown[i];
        FormShot fs;
        fs.serial = f->serial();
        fs.area = f->windowRect();
        if (f->frame == FormFrame::Dialog) fs.area.w += 5, fs.area.h += 5;   // its shadow
        LookHash own;
        own.add(f->windowRect());
        own.add(f->clientRect());
        own.add(f->backColor.argb());
        if (f->frame == FormFrame::Dialog) own.add(f->caption);
        fs.look = own.value();
        const Rect client = f->clientRect();
        for (const auto& c : f->controls()) {
            LookHash h;
            c->look(h);
            Rect r = c->formRect();
            fs.controls.push_back(ControlShot{Rect{client.x + r.x, client.y + r.y, r.w, r.h}, h.value()});
        }
        shot.forms.push_back(std::move(fs));
    }
    LookHash box;
    rt_.boxes().look(box);
    shot.box = box.value();
    return shot;
}

std::vector<Rect> FramePresenter::changedSince(const Snapshot& before, const Snapshot& now) {
    const Rect whole{0, 0, 800, 600};
    // Another set of forms, or a box that changed: the whole frame.
    bool sameForms = before.forms.size() == now.forms.size() && before.box == now.box;
    for (std::size_t i = 0; sameForms && i < now.forms.size(); ++i)
        sameForms = before.forms[i].serial == now.forms[i].serial &&
                    before.forms[i].controls.size() == now.forms[i].controls.size();
    if (!sameForms) return {whole};
    std::vector<Rect> out;
    auto add = [&](Rect r) {
        r = r.intersect(whole);
        if (!r.empty()) out.push_back(r);
    };
    for (std::size_t i = 0; i < now.forms.size(); ++i) {
        const FormShot& a = before.forms[i];
        const FormShot& b = now.forms[i];
        if (a.look != b.look) {
            add(a.area);
            add(b.area);
            continue;
        }
        for (std::size_t k = 0; k < b.controls.size(); ++k) {
            const ControlShot& was = a.controls[k];
            const ControlShot& is = b.controls[k];
            if (was.look == is.look && was.area == is.area) continue;
            // A control that moved leaves its old place to be painted again.
            add(was.area);
            if (is.area != was.area) add(is.area);
        }
    }
    // Many small changes: one rectangle around them costs less than many.
    if (out.size() > 48) {
        Rect all = out.front();
        for (const Rect& r : out) {
            const int x = std::min(all.x, r.x), y = std::min(all.y, r.y);
            all = Rect{x, y, std::max(all.right(), r.right()) - x, std::max(all.bottom(), r.bottom()) - y};
        }
        out = {all};
    }
    return out;
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
    // Only what changed is composed and goes to the screen: a few moving
    // sprites are a few small copies, not the whole frame.
    Snapshot now = snapshot();
    if (presented_ == 0 || frame_.width() != 800) {
        display.present(compose());
    } else {
        std::vector<Rect> changed = changedSince(shown_, now);
        for (const Rect& r : changed) composeArea(r);
        ++composed_;
        if (!changed.empty()) display.presentChanges(frame_, changed);
    }
    shown_ = std::move(now);
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
