// Message, question and input boxes and the file dialogs, drawn in one style.
#include <algorithm>

#include "runtime/keys.h"
#include "runtime/box_host.h"

#include "runtime/runtime.h"

namespace kv {

namespace {
constexpr int kTitle = 20, kPad = 12, kIcon = 32, kButtonW = 80, kButtonH = 24, kInputH = 22, kWidest = 780;
const Font kBoxFont{9, false};
const Font kTitleFont{9, true};

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.emplace_back();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            lines.back().push_back(c);
        }
    }
    return lines;
}

// Breaks a line that is wider than the box can be: at spaces, and a word
// wider than the box (a long path) between characters.
void wrapLine(TextEngine& te, const std::string& line, int width, std::vector<std::string>& out) {
    std::string rest = line;
    while (te.measure(kBoxFont, rest) > width) {
        std::size_t cut = 0;   // bytes of `rest` that fit
        for (std::size_t i = 1; i <= rest.size(); ++i) {
            if (i < rest.size() && (static_cast<unsigned char>(rest[i]) & 0xC0) == 0x80) continue;
            if (te.measure(kBoxFont, rest.substr(0, i)) > width) break;
            cut = i;
        }
        if (cut == 0) cut = 1;
        std::size_t space = rest.rfind(' ', cut);
        std::size_t end = space != std::string::npos && space > 0 ? space : cut;
        out.push_back(rest.substr(0, end));
        rest = rest.substr(end < rest.size() && rest[end] == ' ' ? end + 1 : end);
    }
    out.push_back(rest);
}
}  // namespace

struct BoxHost::Layout {
    Rect window, client, icon, text, input;
    std::vector<Rect> buttons;
    std::vector<std::string> lines;
    int lineHeight = 0;
};

BoxHost::Layout BoxHost::layout() const {
    Layout L;
    const Box& b = *box_;
    TextEngine& te = rt_.text();
    int iconW = b.icon == BoxIcon::None ? 0 : kIcon + kPad;
    for (const auto& l : splitLines(b.text)) wrapLine(te, l, kWidest - 2 * kPad - iconW, L.lines);
    L.lineHeight = te.lineHeight(kBoxFont);
    int textW = 0;
    for (const auto& l : L.lines) textW = std::max(textW, te.measure(kBoxFont, l));
    int textH = L.lineHeight * static_cast<int>(L.lines.size());
    int nb = static_cast<int>(b.buttonNames().size());
    int buttonsW = nb * kButtonW + (nb - 1) * 8;
    bool input = b.kind == "input";
    int w = std::max({iconW + textW, buttonsW, te.measure(kTitleFont, b.title) + 40, input ? 320 : 180}) + 2 * kPad;
    w = std::min(w, kWidest);
    int bodyH = std::max(textH, b.icon == BoxIcon::None ? 0 : kIcon);
    int h = kPad + bodyH + (input ? kPad + kInputH : 0) + kPad + kButtonH + kPad;
    L.window = Rect{(800 - w) / 2, (600 - h - kTitle) / 2, w, h + kTitle};
    L.client = Rect{L.window.x, L.window.y + kTitle, w, h};
    L.icon = Rect{L.client.x + kPad, L.client.y + kPad, kIcon, kIcon};
    L.text = Rect{L.client.x + kPad + iconW, L.client.y + kPad, w - 2 * kPad - iconW, textH};
    L.input = Rect{L.client.x + kPad, L.client.y + kPad + bodyH + kPad, w - 2 * kPad, kInputH};
    int bx = L.client.x + (w - buttonsW) / 2, by = L.client.bottom() - kPad - kButtonH;
    for (int i = 0; i < nb; ++i) L.buttons.push_back(Rect{bx + i * (kButtonW + 8), by, kButtonW, kButtonH});
    return L;
}

BoxAnswer BoxHost::run(std::unique_ptr<Box> b) {
    if (box_) throw FatalError("A box was opened while another was up: " + b->title);
    messages_.push_back(MessageRecord{rt_.now(), b->kind, b->title, b->text, ""});
    std::size_t record = messages_.size() - 1;
    box_ = std::move(b);
    ++serial_;
    TimerQueue& timers = rt_.timers();
    timers.freeze(true);
    struct Unfreeze {
        TimerQueue& timers;
        ~Unfreeze() { timers.freeze(false); }
    } unfreeze{timers};
    ++input_;
    rt_.frames().showChanges();
    BoxAnswer a = BoxAnswer::None;
    for (;;) {
        while (box_->answer == BoxAnswer::None) rt_.pumpOnce(true);
        a = box_->answer;
        if (!box_->files || a != BoxAnswer::OK) break;
        // A file box answers with the full path of the name chosen.
        // (OK pressed by name, as a script's "press OK", takes the name field as it stands.)
        box_->input = box_->files->resolve(box_->input.empty() ? box_->files->name() : box_->input);
        const auto& check = box_->files->options().check;
        std::string refusal = check ? check(box_->input) : "";
        if (refusal.empty()) break;
        // As a desktop's dialog does: a box over it says why, and it stays up.
        under_ = std::move(box_);
        msgBox(refusal, under_->title, BoxButtons::OK, BoxIcon::Exclamation);
        box_ = std::move(under_);
        box_->answer = BoxAnswer::None;
        box_->input.clear();
        ++input_;
        rt_.frames().showChanges();
    }
    bool typed = (box_->kind == "input" || box_->files) && a == BoxAnswer::OK;
    messages_[record].answer = typed ? box_->input : answerName(a);
    return a;
}

BoxAnswer BoxHost::msgBox(const std::string& text, const std::string& title, BoxButtons buttons, BoxIcon icon) {
    auto b = std::make_unique<Box>();
    b->kind = buttons == BoxButtons::YesNo ? "question" : "msgbox";
    b->title = title;
    b->text = text;
    b->buttons = buttons;
    b->icon = icon;
    BoxAnswer a = run(std::move(b));
    box_.reset();
    return a;
}

void BoxHost::fatalBox(const std::string& text, const std::string& title, BoxIcon icon) {
    try {
        msgBox(text, title, BoxButtons::OK, icon);
    } catch (const RunEnded&) {
        // Ended while the box was up: the run ends as the box would have ended it.
    }
    std::string said = title + ": ";
    for (std::size_t i = 0; i < text.size(); ++i) {
        bool lineBreak = text[i] == '\r' || text[i] == '\n';
        if (!lineBreak) said += text[i];
        else if (said.back() != ' ') said += ' ';
    }
    throw RunEnded{1, said};
}

std::optional<std::string> BoxHost::inputBox(const std::string& prompt, const std::string& title, const std::string& def) {
    auto b = std::make_unique<Box>();
    b->kind = "input";
    b->title = title;
    b->text = prompt;
    b->buttons = BoxButtons::OKCancel;
    b->input = def;
    BoxAnswer a = run(std::move(b));
    std::string answer = box_->input;
    box_.reset();
    if (a != BoxAnswer::OK) return std::nullopt;
    return answer;
}

std::optional<std::string> BoxHost::fileDialog(const FileDialogOptions& opts) {
    FileDialogOptions o = opts;
    if (o.folder.empty()) o.folder = rt_.config().dataDir;
    auto b = std::make_unique<Box>();
    b->kind = "file";
    b->title = o.title;
    b->buttons = BoxButtons::OKCancel;
    b->files = std::make_shared<FileBrowser>(o);
    b->text = b->files->folder();
    BoxAnswer a = run(std::move(b));
    std::string chosen = box_->input;
    box_.reset();
    if (a != BoxAnswer::OK) return std::nullopt;
    return chosen;
}

void BoxHost::key(int key) {
    ++input_;
    Box& b = *box_;
    if (b.files) {
        b.files->key(key, b);
        return;
    }
    auto names = b.buttonNames();
    int n = static_cast<int>(names.size());
    switch (key) {
        case vk::Return: b.answer = b.answerFor(names[std::size_t(std::clamp(b.focus, 0, n - 1))]); break;
        case vk::Space:
            if (b.kind != "input") b.answer = b.answerFor(names[std::size_t(std::clamp(b.focus, 0, n - 1))]);
            break;
        // Esc (a pad's second button) takes the way out: OK, Cancel, or No.
        case vk::Escape:
            b.answer = b.buttons == BoxButtons::OK ? BoxAnswer::OK
                       : b.buttons == BoxButtons::OKCancel ? BoxAnswer::Cancel
                                                           : BoxAnswer::No;
            break;
        case vk::Tab: case vk::Right: case vk::Down: b.focus = (b.focus + 1) % n; break;
        case vk::Left: case vk::Up: b.focus = (b.focus + n - 1) % n; break;
        case vk::Back:
            if (b.kind == "input") {
                if (b.inputSelected) b.input.clear(), b.inputSelected = false;
                else if (!b.input.empty()) b.input.pop_back();
            }
            break;
        case vk::letter('Y'): if (b.buttons == BoxButtons::YesNo) b.answer = BoxAnswer::Yes; break;
        case vk::letter('N'): if (b.buttons == BoxButtons::YesNo) b.answer = BoxAnswer::No; break;
        default: break;
    }
}

void BoxHost::click(int x, int y) {
    ++input_;
    if (box_->files) {
        box_->files->click(x, y, *box_);
        return;
    }
    Layout L = layout();
    auto names = box_->buttonNames();
    for (std::size_t i = 0; i < L.buttons.size(); ++i)
        if (L.buttons[i].contains(x, y)) box_->answer = box_->answerFor(names[i]);
}

void BoxHost::drawMessage(SurfaceView f) const {
    TextEngine& text_ = rt_.text();
    if (box_->files) {
        box_->files->draw(f, text_, box_->title);
        return;
    }
    Layout L = layout();
    const Box& b = *box_;
    Rect w = L.window;
    f.fillRect(Rect{w.x + 4, w.y + 4, w.w, w.h}, Color(0, 0, 0));
    f.fillRect(w, Color(28, 32, 48));
    for (int i = 0; i < kTitle; ++i) f.fillRect(Rect{w.x, w.y + i, w.w, 1}, Color(20 + i * 2, 40 + i * 3, 110 + i * 4));
    text_.draw(f.subregion(Rect{w.x, w.y, w.w - 4, kTitle}), kTitleFont, b.title, 8, 3, kWhite);
    f.fillRect(Rect{w.x, w.y, w.w, 1}, Color(140, 150, 190));
    f.fillRect(Rect{w.x, w.y, 1, w.h}, Color(140, 150, 190));
    f.fillRect(Rect{w.x, w.bottom() - 1, w.w, 1}, Color(8, 8, 14));
    f.fillRect(Rect{w.right() - 1, w.y, 1, w.h}, Color(8, 8, 14));

    if (b.icon != BoxIcon::None) {
        Color c = b.icon == BoxIcon::Information ? Color(40, 110, 230)
                  : b.icon == BoxIcon::Question  ? Color(40, 160, 200)
                  : b.icon == BoxIcon::Critical  ? Color(210, 40, 40)
                                                 : Color(235, 190, 30);
        int cx = L.icon.x + 16, cy = L.icon.y + 16;
        f.circle(cx, cy, 15, Color(240, 240, 250));
        f.circle(cx, cy, 13, c);
        const char* glyph = b.icon == BoxIcon::Information ? "i"
                            : b.icon == BoxIcon::Question  ? "?"
                            : b.icon == BoxIcon::Critical  ? "X"
                                                           : "!";
        Font gf{14, true};
        int gw = text_.measure(gf, glyph);
        text_.draw(f, gf, glyph, cx - gw / 2, cy - text_.lineHeight(gf) / 2, kWhite);
    }
    SurfaceView client = f.subregion(L.client);
    int y = L.text.y;
    for (const auto& l : L.lines) {
        text_.draw(client, kBoxFont, l, L.text.x - L.client.x, y - L.client.y, Color(230, 232, 240));
        y += L.lineHeight;
    }
    if (b.kind == "input") {
        f.fillRect(L.input, Color(245, 245, 250));
        int tw = text_.measure(kBoxFont, b.input);
        int ty = L.input.y + (kInputH - L.lineHeight) / 2;
        if (b.inputSelected && !b.input.empty()) f.fillRect(Rect{L.input.x + 3, ty, tw, L.lineHeight}, Color(40, 80, 200));
        text_.draw(f.subregion(L.input), kBoxFont, b.input, 3, ty - L.input.y, b.inputSelected ? kWhite : kBlack);
        if (!b.inputSelected) f.fillRect(Rect{L.input.x + 4 + tw, ty + 1, 1, L.lineHeight - 2}, kBlack);
    }
    auto names = b.buttonNames();
    for (std::size_t i = 0; i < L.buttons.size(); ++i) {
        Rect r = L.buttons[i];
        f.fillRect(r, Color(52, 60, 86));
        f.fillRect(Rect{r.x, r.y, r.w, 1}, Color(130, 140, 175));
        f.fillRect(Rect{r.x, r.bottom() - 1, r.w, 1}, Color(10, 10, 18));
        if (static_cast<int>(i) == b.focus) {
            f.fillRect(Rect{r.x + 2, r.y + 2, r.w - 4, 1}, Color(255, 210, 90));
            f.fillRect(Rect{r.x + 2, r.bottom() - 3, r.w - 4, 1}, Color(255, 210, 90));
        }
        int tw = text_.measure(kTitleFont, names[i]);
        text_.draw(f.subregion(r), kTitleFont, names[i], (r.w - tw) / 2, (r.h - L.lineHeight) / 2, kWhite);
    }
}

}  // namespace kv

namespace kv {

void BoxHost::draw(SurfaceView frame) const {
    if (under_) under_->files->draw(frame, rt_.text(), under_->title);
    if (box_) drawMessage(frame);
}

// A box changes only through its keys, clicks and text, which count in input_.
void BoxHost::look(LookHash& h) const {
    h.add(box_.get());
    h.add(under_.get());
    h.add(input_);
}

void BoxHost::text(const std::string& typed) {
    ++input_;
    if (box_->files) {
        box_->files->text(typed);
    } else if (box_->kind == "input") {
        if (box_->inputSelected) box_->input.clear(), box_->inputSelected = false;
        box_->input += typed;
    }
}

bool BoxHost::press(const std::string& button) {
    ++input_;
    BoxAnswer a = box_->answerFor(button);
    if (a == BoxAnswer::None) return false;
    box_->answer = a;
    return true;
}

bool BoxHost::answerFile(const std::string& answer) {
    if (!box_ || !box_->files) return false;
    if (answer == "cancel") box_->answer = BoxAnswer::Cancel;
    else box_->files->choose(answer, *box_);
    ++input_;
    return true;
}

void BoxHost::closeAll() {
    box_.reset();
    under_.reset();
}

}  // namespace kv
