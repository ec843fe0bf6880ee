#pragma once
// The end sequence after the mother ship falls: a still star field, the
// victory banner and a yellow scroller, with the ending music played once.
#include <cstdint>
#include <string>

#include "runtime/keys.h"
#include "runtime/runtime.h"
#include "shared/game.h"

namespace kv::frontend {

class EndSeq : public Form {
public:
    EndSeq(Runtime& rt, Game& game);
    void onLoad() override;          // Form_Load
    void Timer1_Timer();
    void Form_Click();
    // Any key (or the pad) leaves as a click does; Alt alone may be the start
    // of Alt+Enter.
    void keyDown(int key) override {
        if (key != vk::Menu) Form_Click();
    }

    Game& game;
    PictureBox* Backdrop;   // the screen's own drawing surface: stars, then the scroller
    Image* Banner;          // "MISSION ACCOMPLISHED", over the stars at the top
    Image* Scape1;          // a strip of planet surface the text rises from
    PictureBox* Picture1;   // hidden drawing surface of the scroller
    Timer* Timer1;

    KV_VAR(EndLines, Array<std::string, 0, 999>);
    KV_VAR(EndLineCount, Int16);
    KV_VAR(EndScrollTop, float);
    KV_VAR(EndLineHeight, Int16);
    KV_VAR(EndFadeDivisor, Int16);
    KV_VAR(EndStopped, Int16);
    KV_VAR(StarX, Array<Int16, 0, 300>);
    KV_VAR(StarY, Array<Int16, 0, 300>);
    KV_VAR(StarDepth, Array<Int16, 0, 300>);
};

}  // namespace kv::frontend
