#pragma once
// Message, question and input boxes. They are not forms: while one is up it takes
// all input and the timers of every form underneath are frozen.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kv {

class FileBrowser;

enum class BoxButtons { OK, YesNo, OKCancel };
enum class BoxIcon { None, Information, Exclamation, Question, Critical };
enum class BoxAnswer { None, OK, Cancel, Yes, No };

struct Box {
    std::string kind;            // "msgbox", "question", "input", "file"
    std::string title;
    std::string text;            // carriage returns break lines
    BoxButtons buttons = BoxButtons::OK;
    BoxIcon icon = BoxIcon::None;
    std::string input;           // input box: the answer being typed
    bool inputSelected = true;   // the default answer is selected: typing replaces it
    int focus = 0;               // index of the focused button
    BoxAnswer answer = BoxAnswer::None;
    std::shared_ptr<FileBrowser> files;   // a file box: its folder listing and name field

    std::vector<std::string> buttonNames() const;
    BoxAnswer answerFor(const std::string& buttonName) const;   // None if it has no such button
};

struct MessageRecord {
    std::uint64_t time = 0;
    std::string kind, title, text, answer;
};

const char* answerName(BoxAnswer a);

}  // namespace kv
