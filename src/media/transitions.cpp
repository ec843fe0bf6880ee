#include "media/transitions.h"

#include <vector>

namespace kv {

TransitionPacing pacingFor(double rate) {
    if (rate < 1) return TransitionPacing{roundHalfEven(1.0 / rate), 1};
    return TransitionPacing{1, roundHalfEven(rate)};
}

CEffects::CEffects(Runtime& rt) : rt_(rt), stopwatch_(rt) {}

void CEffects::AnimationTime(float seconds) {
    if (seconds > 0) animationTime_ = seconds;
}

void CEffects::DoTransition(PictureBox& pic, PictureBox* canvas, std::int32_t X, std::int32_t Y, std::int32_t How,
                            std::optional<std::int32_t> lparam) {
    lastError_.clear();
    if (!canvas) {
        setError("The Canvas must have an hDC property");
    } else {
        if (!pic.autoRedraw()) {
            setError("Source picturebox must have AutoRedraw = True");
            pic.setAutoRedraw(true);
        }
        pic_ = &pic;
        picWidth_ = pic.width();
        picHeight_ = pic.height();
        canvas_ = canvas;
        x_ = X;
        y_ = Y;
        how_ = How;
        if (How == 5) blockSize_ = lparam && *lparam >= 1 ? *lparam : 1;
        if (How >= 1 && How <= 4) wipe();
        else if (How == 5) dissolve();
        else if (How == 6) DoFade(0);
        else rt_.boxes().msgBox("Don't understand How = " + std::to_string(How), "", BoxButtons::OK, BoxIcon::None);
    }
    if (!lastError_.empty() && showWarnings_) rt_.boxes().msgBox(lastError_, "", BoxButtons::OK, BoxIcon::None);
}

void CEffects::copyBlock(int sx, int sy, int w, int h) {
    canvas_->canvas().blit(pic_->image(), Rect{sx, sy, w, h}, x_ + sx, y_ + sy);
}

void CEffects::wipe() {
    const bool columns = how_ == 1 || how_ == 2;
    const int total = columns ? picWidth_ : picHeight_;
    TransitionPacing p = pacingFor(total / double(animationTime_) / 1800.0);
    pause_ = p.pause;
    linesPerStep_ = p.linesPerStep;
    stopwatch_.Reset();
    int done = 0;
    const int dir = how_;
    while (done < total && how_ != 0) {
        for (int k = 0; k <= linesPerStep_ && done < total; ++k, ++done) {
            switch (dir) {
                case 1: copyBlock(done, 0, 1, picHeight_); break;
                case 2: copyBlock(total - 1 - done, 0, 1, picHeight_); break;
                case 3: copyBlock(0, done, picWidth_, 1); break;
                default: copyBlock(0, total - 1 - done, picWidth_, 1); break;
            }
        }
        rt_.sleep(pause_);
    }
}

void CEffects::dissolve() {
    const int B = blockSize_;
    const int R = picHeight_ / B, C = picWidth_ / B;
    struct Cell { int x, y; };
    std::vector<std::vector<Cell>> cells(std::size_t(R) + 1, std::vector<Cell>(std::size_t(C) + 1));
    for (int r = 0; r <= R; ++r)
        for (int c = 0; c <= C; ++c) cells[std::size_t(r)][std::size_t(c)] = Cell{B * c, B * r};
    Random& rnd = rt_.random();
    rnd.randomize(rt_.now());
    for (int pass = 0; pass < 2; ++pass)
        for (int r = 0; r <= R; ++r)
            for (int c = 0; c <= C; ++c) {
                int rr = static_cast<int>(rnd.rnd() * (R + 1));
                int cc = static_cast<int>(rnd.rnd() * (C + 1));
                std::swap(cells[std::size_t(r)][std::size_t(c)], cells[std::size_t(rr)][std::size_t(cc)]);
            }
    TransitionPacing p = pacingFor(double(R) * C / double(animationTime_) / 1800.0 * 2.5);
    pause_ = p.pause;
    linesPerStep_ = std::min(p.linesPerStep, std::max(R, 1));
    stopwatch_.Reset();
    for (int c = 0; c <= C && how_ != 0; ++c) {
        for (int r = 0; r <= R && how_ != 0;) {
            for (int k = 0; k <= linesPerStep_ && r <= R; ++k, ++r) {
                const Cell& cell = cells[std::size_t(r)][std::size_t(c)];
                copyBlock(cell.x, cell.y, B, B);
            }
            rt_.sleep(pause_);
        }
    }
}

void CEffects::fade(bool out) {
    if (!pic_ || !canvas_) return;
    // The picture's pixels as read before the fade; each step scales them.
    const Surface original = pic_->image();
    Surface& img = pic_->image();
    for (int i = 0; i <= 255; ++i) {
        const int L = out ? 255 - i : i;
        for (int y = 0; y < original.height(); ++y) {
            const std::uint32_t* s = original.row(y);
            std::uint32_t* d = img.row(y);
            for (int x = 0; x < original.width(); ++x) {
                std::uint32_t v = s[x];
                auto scale = [L](std::uint32_t c) { return std::uint32_t(roundHalfEven(double(c) * L / 255.0)); };
                d[x] = (v & 0xFF000000u) | (scale((v >> 16) & 0xFF) << 16) | (scale((v >> 8) & 0xFF) << 8) | scale(v & 0xFF);
            }
        }
        canvas_->canvas().blit(img, x_, y_);
        rt_.frames().showProgress();
    }
}

void CEffects::DoFadeOut(std::int32_t) { fade(true); }
void CEffects::DoFade(std::int32_t) { fade(false); }

}  // namespace kv
