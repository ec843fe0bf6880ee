#pragma once
// The open and save dialogs: a box of kind "file" that lists one folder,
// filtered by a pattern, with a file-name field, OK and Cancel. Keyboard and
// mouse both work; scripts answer it with `file <path>|cancel`.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "runtime/geometry.h"
#include "runtime/surface.h"

namespace kv {

class TextEngine;
struct Box;

struct FileDialogOptions {
    bool save = false;           // a save dialog; otherwise an open dialog
    std::string title;
    std::string fileName;        // what the file-name field holds at first
    std::string filterName;      // "Korvane Save Files"
    std::string pattern;         // "*.kvs"; a name typed with * or ? replaces it
    std::string defaultExt;      // "kvs": added to a name typed without an extension
    std::string folder;          // where the dialog opens; empty: the data directory
    // Why the chosen full path cannot be taken, or empty when it can; the
    // dialog stays up with a box saying why (as a save dialog refuses a name).
    std::function<std::string(const std::string& path)> check;
};

// One folder's listing and the dialog's own state while it is up.
class FileBrowser {
public:
    explicit FileBrowser(FileDialogOptions opts);

    struct Entry {
        std::string name;
        bool folder = false;
    };
    const std::string& folder() const { return folder_; }   // absolute, ends with '/'
    const std::vector<Entry>& entries() const { return entries_; }
    // The listing holds at most kMostEntries, the first by name; how many
    // the folder holds when that is more (0 when all are listed).
    static constexpr std::size_t kMostEntries = 5000;
    std::size_t entriesInFolder() const { return inFolder_; }
    const std::string& name() const { return name_; }
    int selected() const { return selected_; }
    const FileDialogOptions& options() const { return opts_; }

    // Lists a folder; a folder that cannot be read shows empty.
    void open(const std::string& folder);
    // The answer as a full path: a relative name is taken in the folder shown,
    // and a name without an extension gets the default one.
    std::string resolve(const std::string& typed) const;
    // Does the file-name pattern match (case-insensitive, * and ?)?
    static bool matches(const std::string& pattern, const std::string& name);

    // Input while the dialog is up. They set box.answer (and box.input, the
    // name as typed) when the player is done.
    void key(int vk, Box& box);
    // A name typed into the field and answered with Enter.
    void choose(const std::string& typed, Box& box);
    void text(const std::string& typed);
    void click(int x, int y, Box& box);
    void draw(SurfaceView frame, TextEngine& te, const std::string& title) const;
    Rect windowRect() const;

private:
    struct Layout;
    Layout layout() const;
    // The parts of the dialog, each into a view of its own area.
    void drawListing(SurfaceView rows, TextEngine& te) const;
    void drawScrollBar(SurfaceView bar) const;
    void drawNameField(SurfaceView field, TextEngine& te) const;
    void select(int index);
    void activate(int index, Box& box);
    void accept(Box& box);
    void scrollTo(int index);
    int visibleRows() const;

    FileDialogOptions opts_;
    std::string pattern_;
    std::string folder_;
    std::vector<Entry> entries_;
    std::size_t inFolder_ = 0;
    std::string name_;
    bool nameSelected_ = true;   // typing replaces the initial name
    int selected_ = -1;
    int top_ = 0;                // first row shown
    int focus_ = 0;              // 0 name field, 1 list, 2 OK, 3 Cancel
};

}  // namespace kv
