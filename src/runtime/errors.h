#pragma once
#include <stdexcept>
#include <string>

namespace kv {

// A failure the game cannot go on from (a missing picture or font, say): the app
// shows the message and ends with a non-zero status.
class FatalError : public std::runtime_error {
public:
    explicit FatalError(const std::string& what) : std::runtime_error(what) {}
};

// Thrown out of every nested loop when the run ends (quit, --until, last window
// closed); caught by the app, which then writes the dump and screenshot.
struct RunEnded {
    int status = 0;
    std::string message;   // a closing box's text, for standard error
};

}  // namespace kv
