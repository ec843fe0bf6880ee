// The open and save dialogs, drawn in the style of the message boxes.
#include "runtime/file_dialog.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "runtime/box.h"
#include "runtime/keys.h"
#include "runtime/text.h"

namespace kv {

namespace fs = std::filesystem;

namespace {
constexpr int kWidth = 480, kHeight = 348, kTitle = 20, kPad = 12, kRow = 18, kRows = 12, kBar = 16;
constexpr int kButtonW = 80, kButtonH = 24, kFieldH = 22;
// A folder is read no further than this: the listing says "more than" it.
constexpr std::size_t kMostRead = 100000;
const Font kFont{9, false};
const Font kBold{9, true};

const Color kBack{28, 32, 48}, kText{230, 232, 240}, kDim{150, 156, 178}, kWell{12, 14, 24};
const Color kHighlight{40, 80, 200}, kFocus{255, 210, 90}, kLight{140, 150, 190}, kShadow{8, 8, 14};

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool lessNoCase(const std::string& a, const std::string& b) {
    std::string la = lower(a), lb = lower(b);
    return la != lb ? la < lb : a < b;
}

std::string trim(const std::string& s) {
    std::size_t a = s.find_first_not_of(" \t"), b = s.find_last_not_of(" \t");
    return a == std::string::npos ? "" : s.substr(a, b - a + 1);
}

// Drops the last UTF-8 character.
void popCharacter(std::string& s) {
    while (!s.empty()) {
        unsigned char c = static_cast<unsigned char>(s.back());
        s.pop_back();
        if ((c & 0xC0) != 0x80) break;
    }
}

std::string withSlash(std::string dir) {
    if (dir.empty() || dir.back() != '/') dir += '/';
    return dir;
}

void frame3d(SurfaceView s, Rect r, Color light, Color dark) {
    s.fillRect(Rect{r.x, r.y, r.w, 1}, light);
    s.fillRect(Rect{r.x, r.y, 1, r.h}, light);
    s.fillRect(Rect{r.x, r.bottom() - 1, r.w, 1}, dark);
    s.fillRect(Rect{r.right() - 1, r.y, 1, r.h}, dark);
}

// A sunken field.
void well(SurfaceView f, Rect r) {
    f.fillRect(r, kWell);
    frame3d(f, r, kShadow, kLight);
}

// A button with its caption centred, ringed when it has the focus.
void drawButton(SurfaceView b, TextEngine& te, const char* caption, bool focused) {
    b.fill(Color(52, 60, 86));
    frame3d(b, b.bounds(), Color(130, 140, 175), Color(10, 10, 18));
    if (focused) frame3d(b, Rect{2, 2, b.width() - 4, b.height() - 4}, kFocus, kFocus);
    int bw = te.measure(kBold, caption);
    te.draw(b, kBold, caption, (b.width() - bw) / 2, (b.height() - te.lineHeight(kFont)) / 2, kWhite);
}

// The text as it fits the width: a long path keeps its end, behind an ellipsis.
std::string fitFromEnd(TextEngine& te, const Font& f, const std::string& text, int width) {
    if (te.measure(f, text) <= width) return text;
    for (std::size_t i = 1; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;   // inside a character
        std::string tail = "..." + text.substr(i);
        if (te.measure(f, tail) <= width) return tail;
    }
    return "...";
}
}  // namespace

struct FileBrowser::Layout {
    Rect window, client, path, list, bar, barUp, barDown, name, type, ok, cancel;
};

FileBrowser::Layout FileBrowser::layout() const {
    Layout L;
    L.window = windowRect();
    L.client = Rect{L.window.x, L.window.y + kTitle, kWidth, kHeight - kTitle};
    int x = L.client.x + kPad, right = L.client.right() - kPad;
    int y = L.client.y + 10;
    L.path = Rect{x + 68, y, right - x - 68, 20};
    y += 28;
    L.list = Rect{x, y, right - x, kRows * kRow + 4};
    L.bar = Rect{L.list.right() - kBar - 2, L.list.y + 2, kBar, L.list.h - 4};
    L.barUp = Rect{L.bar.x, L.bar.y, kBar, kBar};
    L.barDown = Rect{L.bar.x, L.bar.bottom() - kBar, kBar, kBar};
    y = L.list.bottom() + 10;
    L.name = Rect{x + 88, y, right - x - 88 - kButtonW - 12, kFieldH};
    L.ok = Rect{right - kButtonW, y - 1, kButtonW, kButtonH};
    y += kFieldH + 8;
    L.type = Rect{x + 88, y, L.name.w, kFieldH};
    L.cancel = Rect{right - kButtonW, y - 1, kButtonW, kButtonH};
    return L;
}

Rect FileBrowser::windowRect() const { return Rect{(800 - kWidth) / 2, (600 - kHeight) / 2, kWidth, kHeight}; }

FileBrowser::FileBrowser(FileDialogOptions opts) : opts_(std::move(opts)), pattern_(opts_.pattern) {
    name_ = opts_.fileName;
    // A name chosen before, with its folder: the dialog opens there again.
    std::error_code ec;
    fs::path before(name_);
    if (name_.find('/') != std::string::npos && fs::is_directory(before.parent_path(), ec)) {
        opts_.folder = before.parent_path().string();
        name_ = before.filename().string();
    }
    open(opts_.folder);
}

int FileBrowser::visibleRows() const { return kRows; }

bool FileBrowser::matches(const std::string& pattern, const std::string& name) {
    if (pattern.empty()) return true;
    std::string p = lower(pattern), n = lower(name);
    // Iterative wildcard match with one back-track point.
    std::size_t pi = 0, ni = 0, star = std::string::npos, mark = 0;
    while (ni < n.size()) {
        if (pi < p.size() && (p[pi] == '?' || p[pi] == n[ni])) {
            ++pi, ++ni;
        } else if (pi < p.size() && p[pi] == '*') {
            star = pi++;
            mark = ni;
        } else if (star != std::string::npos) {
            pi = star + 1;
            ni = ++mark;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == '*') ++pi;
    return pi == p.size();
}

void FileBrowser::open(const std::string& folder) {
    std::error_code ec;
    fs::path p = folder.empty() ? fs::current_path(ec) : fs::path(folder);
    p = fs::absolute(p, ec).lexically_normal();
    folder_ = withSlash(p.string());
    entries_.clear();
    inFolder_ = 0;
    selected_ = -1;
    top_ = 0;
    std::vector<Entry> folders, files;
    if (p.has_parent_path() && p != p.root_path()) folders.push_back(Entry{"..", true});
    fs::directory_iterator it(p, fs::directory_options::skip_permission_denied, ec), end;
    for (; !ec && it != end && folders.size() + files.size() <= kMostRead; it.increment(ec)) {
        std::string n = it->path().filename().string();
        if (n.empty() || n[0] == '.') continue;
        std::error_code e2;
        if (it->is_directory(e2)) folders.push_back(Entry{n, true});
        else if (matches(pattern_, n)) files.push_back(Entry{n, false});
    }
    auto byName = [](const Entry& a, const Entry& b) {
        if (a.name == "..") return b.name != "..";
        if (b.name == "..") return false;
        return lessNoCase(a.name, b.name);
    };
    std::sort(folders.begin(), folders.end(), byName);
    std::sort(files.begin(), files.end(), byName);
    entries_ = std::move(folders);
    entries_.insert(entries_.end(), files.begin(), files.end());
    // The first ones by name, folders first, and the title says how many there are.
    if (entries_.size() > kMostEntries) {
        inFolder_ = entries_.size();
        entries_.resize(kMostEntries);
    }
}

std::string FileBrowser::resolve(const std::string& typed) const {
    std::string t = trim(typed);
    fs::path p = !t.empty() && t[0] == '/' ? fs::path(t) : fs::path(folder_) / t;
    p = p.lexically_normal();
    if (!opts_.defaultExt.empty() && !p.filename().empty() && !p.has_extension()) p += "." + opts_.defaultExt;
    return p.string();
}

void FileBrowser::scrollTo(int index) {
    if (index < top_) top_ = index;
    if (index >= top_ + visibleRows()) top_ = index - visibleRows() + 1;
    top_ = std::clamp(top_, 0, std::max(0, static_cast<int>(entries_.size()) - visibleRows()));
}

void FileBrowser::select(int index) {
    if (entries_.empty()) return;
    selected_ = std::clamp(index, 0, static_cast<int>(entries_.size()) - 1);
    scrollTo(selected_);
    // Choosing a file puts its name in the field, ready to be replaced by typing.
    const Entry& e = entries_[std::size_t(selected_)];
    if (!e.folder) {
        name_ = e.name;
        nameSelected_ = true;
    }
}

void FileBrowser::activate(int index, Box& box) {
    if (index < 0 || index >= static_cast<int>(entries_.size())) return;
    const Entry& e = entries_[std::size_t(index)];
    if (e.folder) {
        open(e.name == ".." ? fs::path(folder_).parent_path().parent_path().string() : folder_ + e.name);
        return;
    }
    name_ = e.name;
    accept(box);
}

void FileBrowser::accept(Box& box) {
    std::string typed = trim(name_);
    if (typed.empty()) return;
    // A pattern filters the listing instead of choosing a file.
    if (typed.find_first_of("*?") != std::string::npos) {
        pattern_ = typed;
        open(folder_);
        nameSelected_ = true;
        return;
    }
    std::error_code ec;
    fs::path p = !typed.empty() && typed[0] == '/' ? fs::path(typed) : fs::path(folder_) / typed;
    if (fs::is_directory(p, ec)) {
        open(p.string());
        name_.clear();
        return;
    }
    box.input = typed;
    box.answer = BoxAnswer::OK;
}

void FileBrowser::choose(const std::string& typed, Box& box) {
    name_ = typed;
    nameSelected_ = true;
    accept(box);
}

void FileBrowser::key(int vk, Box& box) {
    const int n = static_cast<int>(entries_.size());
    switch (vk) {
        case vk::Escape: box.answer = BoxAnswer::Cancel; return;
        case vk::Return:
            if (focus_ == 3) box.answer = BoxAnswer::Cancel;
            else if (focus_ == 1 && selected_ >= 0 && entries_[std::size_t(selected_)].folder) activate(selected_, box);
            else accept(box);
            return;
        case vk::Space:
            // In the name field the typed space arrives as text.
            if (focus_ == 2) accept(box);
            if (focus_ == 3) box.answer = BoxAnswer::Cancel;
            if (focus_ == 1 && selected_ >= 0) activate(selected_, box);
            return;
        case vk::Tab: focus_ = (focus_ + 1) % 4; return;
        case vk::Up: focus_ = 1; select(selected_ < 0 ? 0 : selected_ - 1); return;
        case vk::Down: focus_ = 1; select(selected_ + 1); return;
        case vk::Prior: focus_ = 1; select(std::max(0, selected_) - visibleRows()); return;
        case vk::Next: focus_ = 1; select(std::max(0, selected_) + visibleRows()); return;
        case vk::Home: if (focus_ == 1) select(0); return;
        case vk::End: if (focus_ == 1) select(n - 1); return;
        case vk::Back:
            if (focus_ == 1) {
                activate(n > 0 && entries_[0].name == ".." ? 0 : -1, box);
                return;
            }
            if (nameSelected_) name_.clear();
            else popCharacter(name_);
            nameSelected_ = false;
            focus_ = 0;
            return;
        default: return;
    }
}

void FileBrowser::text(const std::string& typed) {
    focus_ = 0;
    if (nameSelected_) name_.clear();
    nameSelected_ = false;
    for (char c : typed)
        if (static_cast<unsigned char>(c) >= 32 && c != 127) name_.push_back(c);
}

void FileBrowser::click(int x, int y, Box& box) {
    Layout L = layout();
    if (L.ok.contains(x, y)) {
        focus_ = 2;
        accept(box);
    } else if (L.cancel.contains(x, y)) {
        box.answer = BoxAnswer::Cancel;
    } else if (L.name.contains(x, y)) {
        focus_ = 0;
        nameSelected_ = false;
    } else if (L.barUp.contains(x, y)) {
        top_ = std::max(0, top_ - 1);
    } else if (L.barDown.contains(x, y)) {
        top_ = std::clamp(top_ + 1, 0, std::max(0, static_cast<int>(entries_.size()) - visibleRows()));
    } else if (L.bar.contains(x, y)) {
        // The track pages toward the click.
        int pages = y < L.bar.y + L.bar.h / 2 ? -visibleRows() : visibleRows();
        top_ = std::clamp(top_ + pages, 0, std::max(0, static_cast<int>(entries_.size()) - visibleRows()));
    } else if (L.list.contains(x, y)) {
        focus_ = 1;
        int row = top_ + (y - L.list.y - 2) / kRow;
        if (row < 0 || row >= static_cast<int>(entries_.size())) return;
        // A second click on the chosen entry opens it: the double-click.
        if (row == selected_) activate(row, box);
        else select(row);
    }
}

void FileBrowser::draw(SurfaceView f, TextEngine& te, const std::string& title) const {
    Layout L = layout();
    Rect w = L.window;
    const int lh = te.lineHeight(kFont);
    f.fillRect(Rect{w.x + 4, w.y + 4, w.w, w.h}, kBlack);
    f.fillRect(w, kBack);
    for (int i = 0; i < kTitle; ++i) f.fillRect(Rect{w.x, w.y + i, w.w, 1}, Color(20 + i * 2, 40 + i * 3, 110 + i * 4));
    std::string heading = title;
    if (inFolder_ > 0)
        heading += "  (the first " + std::to_string(kMostEntries) + " of " +
                   (inFolder_ > kMostRead ? "more than " + std::to_string(kMostRead) : std::to_string(inFolder_)) +
                   " entries)";
    te.draw(f.subregion(Rect{w.x, w.y, w.w - 4, kTitle}), kBold, heading, 8, 3, kWhite);
    frame3d(f, w, kLight, kShadow);

    // Each field with its label to the left, in the dialog's own dim text.
    SurfaceView client = f.subregion(L.client);
    auto label = [&](const std::string& s, Rect field) {
        te.draw(client, kFont, s, kPad, field.y - L.client.y + (field.h - lh) / 2, kDim);
    };
    label("Look in:", L.path);
    well(f, L.path);
    te.draw(f.subregion(L.path), kFont, fitFromEnd(te, kFont, folder_, L.path.w - 8), 4, (L.path.h - lh) / 2, kText);
    well(f, L.list);
    drawListing(f.subregion(Rect{L.list.x + 2, L.list.y + 2, L.bar.x - L.list.x - 3, L.list.h - 4}), te);
    drawScrollBar(f.subregion(L.bar));
    label("File name:", L.name);
    drawNameField(f.subregion(L.name), te);
    label("Files of type:", L.type);
    well(f, L.type);
    te.draw(f.subregion(L.type), kFont, opts_.filterName + " (" + opts_.pattern + ")", 4, (L.type.h - lh) / 2, kText);
    // OK and Cancel, the focused one ringed.
    drawButton(f.subregion(L.ok), te, "OK", focus_ == 2);
    drawButton(f.subregion(L.cancel), te, "Cancel", focus_ == 3);
}

void FileBrowser::drawListing(SurfaceView rows, TextEngine& te) const {
    // Folders first, the chosen entry marked; each row with a folder's or a file's icon.
    const int lh = te.lineHeight(kFont);
    for (int r = 0; r < kRows; ++r) {
        int i = top_ + r;
        if (i >= static_cast<int>(entries_.size())) break;
        const Entry& e = entries_[std::size_t(i)];
        SurfaceView row = rows.subregion(Rect{0, r * kRow, rows.width(), kRow});
        bool chosen = i == selected_;
        if (chosen) row.fill(focus_ == 1 ? kHighlight : Color(50, 58, 90));
        const int ix = 6, iy = 4;
        if (e.folder) {
            row.fillRect(Rect{ix, iy, 6, 2}, Color(230, 190, 80));
            row.fillRect(Rect{ix, iy + 2, 14, 9}, Color(230, 190, 80));
            row.fillRect(Rect{ix + 1, iy + 4, 12, 6}, Color(250, 215, 110));
        } else {
            row.fillRect(Rect{ix + 2, iy - 1, 10, 12}, Color(225, 230, 245));
            row.fillRect(Rect{ix + 4, iy + 2, 6, 1}, Color(90, 110, 170));
            row.fillRect(Rect{ix + 4, iy + 5, 6, 1}, Color(90, 110, 170));
            row.fillRect(Rect{ix + 4, iy + 8, 4, 1}, Color(90, 110, 170));
        }
        std::string shown = e.name == ".." ? ".. (up one folder)" : e.name;
        te.draw(row, kFont, shown, 26, (kRow - lh) / 2, chosen ? kWhite : kText);
    }
    // A folder without a matching file says so under its subfolders.
    bool anyFile = std::any_of(entries_.begin(), entries_.end(), [](const Entry& e) { return !e.folder; });
    int shownRows = std::min(kRows, static_cast<int>(entries_.size()) - top_);
    if (!anyFile && shownRows < kRows)
        te.draw(rows, kFont, "(no " + pattern_ + " files in this folder)", 26, shownRows * kRow + (kRow - lh) / 2, kDim);
}

void FileBrowser::drawScrollBar(SurfaceView bar) const {
    bar.fill(Color(38, 44, 66));
    const Rect up{0, 0, kBar, kBar}, down{0, bar.height() - kBar, kBar, kBar};
    for (Rect b : {up, down}) {
        bar.fillRect(b, Color(52, 60, 86));
        frame3d(bar, b, kLight, kShadow);
    }
    // Arrow heads on the scroll buttons.
    for (int i = 0; i < 4; ++i) {
        bar.fillRect(Rect{8 - i, 6 + i, 2 * i + 1, 1}, kText);
        bar.fillRect(Rect{8 - i, down.bottom() - 7 - i, 2 * i + 1, 1}, kText);
    }
    int total = static_cast<int>(entries_.size());
    if (total <= kRows) return;
    int track = bar.height() - 2 * kBar;
    int thumb = std::max(12, track * kRows / total);
    int pos = (track - thumb) * top_ / std::max(1, total - kRows);
    Rect t{1, up.bottom() + pos, kBar - 2, thumb};
    bar.fillRect(t, Color(90, 100, 140));
    frame3d(bar, t, kLight, kShadow);
}

void FileBrowser::drawNameField(SurfaceView field, TextEngine& te) const {
    field.fill(Color(245, 245, 250));
    frame3d(field, field.bounds(), Color(60, 60, 70), Color(200, 200, 210));
    SurfaceView inner = field.subregion(Rect{3, 0, field.width() - 6, field.height()});
    const int lh = te.lineHeight(kFont);
    int ty = (field.height() - lh) / 2;
    std::string shownName = fitFromEnd(te, kFont, name_, inner.width() - 4);
    int tw = te.measure(kFont, shownName);
    bool marked = nameSelected_ && !name_.empty();
    if (marked) inner.fillRect(Rect{0, ty, tw, lh}, kHighlight);
    te.draw(inner, kFont, shownName, 0, ty, marked ? kWhite : kBlack);
    if (focus_ == 0 && !marked) inner.fillRect(Rect{tw + 1, ty + 1, 1, lh - 2}, kBlack);
}

}  // namespace kv
