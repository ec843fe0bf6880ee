#pragma once
// What must hold at every moment of a game, whatever the player does: no
// screen loaded twice, no timer left behind by a screen that is gone or
// running on one that is hidden, no dialog buried under another screen or up
// for ever, and a score table of twelve lines. (The values of the rules are
// pinned by the scenario tests at their edges.) Each broken rule is reported
// once per session with the virtual time it was first seen.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "shared/game.h"

namespace kvsoak {

struct Violation { std::uint64_t time = 0; std::string what; };

class Invariants {
public:
    // A box or modal dialog up longer than this (virtual ms) counts as stuck.
    static constexpr std::uint64_t kStuckModalMs = 120000;

    explicit Invariants(kv::Game& game) : game_(game) {}
    const std::vector<Violation>& violations() const { return violations_; }
    void check() {
        screens();
        modals();
        scoreTable();
    }

private:
    void fail(const std::string& rule) {
        if (reported_.insert(rule).second) violations_.push_back(Violation{game_.rt.now(), rule});
    }

    void screens() {
        kv::Runtime& rt = game_.rt;
        // Every screen is one window: never two of the same loaded at once.
        const auto& forms = rt.forms().loaded();
        for (std::size_t i = 0; i < forms.size(); ++i)
            for (std::size_t j = i + 1; j < forms.size(); ++j)
                if (forms[i]->name() == forms[j]->name()) fail("two " + forms[i]->name() + " loaded at once");
        // A screen that has closed leaves nothing behind in the dispatcher.
        for (kv::Timer* t : rt.timers().all())
            if (!rt.forms().isLoaded(&t->form())) fail("timer " + t->name() + " still registered after its form was unloaded");
        // A screen that is loaded but hidden (the planet behind the bonus stage,
        // the music panel put away) runs nothing.
        for (const auto& f : forms)
            if (!rt.forms().isShown(f.get()))
                for (const auto& t : f->timers())
                    if (t->enabled()) fail("timer " + f->name() + "." + t->name() + " runs while its form is hidden");
    }

    void modals() {
        kv::Runtime& rt = game_.rt;
        std::string now;
        if (const kv::Box* b = rt.boxes().box()) now = "the " + b->kind + " box \"" + b->title + "\"";
        else if (kv::Form* top = rt.forms().top(); top && top->frame == kv::FormFrame::Dialog) now = "the dialog " + top->name();
        if (now != modal_) {
            modal_ = now;
            modalSince_ = rt.now();
        }
        // A dialog stays on top of the screen it belongs to: one with a whole
        // screen above it can never be answered.
        bool screenAbove = false;
        const auto& shown = rt.forms().visible();
        for (auto it = shown.rbegin(); it != shown.rend(); ++it) {
            if ((*it)->frame != kv::FormFrame::Dialog) screenAbove = screenAbove || (*it)->name() != "ModeCheck";
            else if (screenAbove) fail("the dialog " + (*it)->name() + " is up beneath another screen");
        }
        if (!modal_.empty() && rt.now() - modalSince_ > kStuckModalMs)
            fail(modal_ + " stayed up for more than " + std::to_string(kStuckModalMs / 1000) + " s");
    }

    void scoreTable() {
        namespace fs = std::filesystem;
        const fs::path path = fs::path(game_.rt.config().dataDir) / "Data" / "score.dat";
        std::error_code ec;
        const auto stamp = fs::last_write_time(path, ec);
        if (ec || stamp.time_since_epoch().count() == tableStamp_) return;   // none of its own yet, or unchanged
        tableStamp_ = stamp.time_since_epoch().count();
        std::ifstream in(path, std::ios::binary);
        int lines = 0;
        for (std::string line; std::getline(in, line);) lines += !line.empty() && line != "\r";
        if (lines != 12) fail("the score table holds " + std::to_string(lines) + " lines, not 12");
    }

    kv::Game& game_;
    std::vector<Violation> violations_;
    std::set<std::string> reported_;
    std::string modal_;                // the modal that is up, and since when
    std::uint64_t modalSince_ = 0;
    std::int64_t tableStamp_ = -1;     // the score table is read only when it changes
};

}  // namespace kvsoak
