#pragma once
// Message, question and input boxes and the file dialogs: modal, drawn over
// everything, and while one is up it takes all input and the timers of every
// form underneath are frozen. A file dialog's refusal of a name comes as a
// message box over it.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "runtime/box.h"
#include "runtime/file_dialog.h"
#include "runtime/look.h"
#include "runtime/surface.h"

namespace kv {

class Runtime;

class BoxHost {
public:
    explicit BoxHost(Runtime& rt) : rt_(rt) {}
    BoxHost(const BoxHost&) = delete;
    BoxHost& operator=(const BoxHost&) = delete;

    BoxAnswer msgBox(const std::string& text, const std::string& title, BoxButtons buttons, BoxIcon icon);
    // The box the program closes on: once it is answered, or the run ends while
    // it is up (a headless run no script answers), the run ends with status 1
    // and the box's text goes with it for standard error.
    [[noreturn]] void fatalBox(const std::string& text, const std::string& title, BoxIcon icon);
    // Returns the answer, or nullopt for Cancel.
    std::optional<std::string> inputBox(const std::string& prompt, const std::string& title, const std::string& def);
    // An open or save dialog; returns the chosen full path, or nullopt for Cancel.
    // A name the dialog's own check refuses gets a message box over the
    // dialog, which then stays up for another choice.
    std::optional<std::string> fileDialog(const FileDialogOptions& opts);

    // The box that is up, or null; every box shown so far, with its answer.
    const Box* box() const { return box_.get(); }
    const std::vector<MessageRecord>& messages() const { return messages_; }
    // Which box is up: a box opened later never has the number of one before.
    std::uint64_t serial() const { return serial_; }

    // Input for the box that is up.
    void key(int vk);
    void click(int x, int y);
    void text(const std::string& typed);
    // A script's `press` of a button by name; false when the box has none.
    bool press(const std::string& button);
    // A script's `file` answer: a name (or pattern, or folder) as typed into
    // the name field and answered with Enter, or "cancel". False when no file
    // dialog is up.
    bool answerFile(const std::string& answer);

    // The boxes that are up, drawn over the frame, and what their look is made of.
    void draw(SurfaceView frame) const;
    void look(LookHash& h) const;
    // Gone without a word: the end of the program.
    void closeAll();

private:
    BoxAnswer run(std::unique_ptr<Box> b);
    struct Layout;
    Layout layout() const;
    void drawMessage(SurfaceView f) const;

    Runtime& rt_;
    std::unique_ptr<Box> box_;
    std::unique_ptr<Box> under_;   // a file dialog, under the box that says why it refused a name
    std::uint64_t serial_ = 0;
    std::uint64_t input_ = 0;      // keys, clicks and text the boxes took: their look
    std::vector<MessageRecord> messages_;
};

}  // namespace kv
