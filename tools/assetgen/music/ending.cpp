// The closing theme. Channels: 0 drums, 1 bass, 2 bell melody, 3 chords.
// Speed 8 at 125 BPM: a gentler pace, a row is 0.16 s.
#include "modules.h"
#include "song.h"

namespace assetgen {

namespace {
enum : int { A4 = 69, C5 = 72, D5 = 74, E5 = 76, F5 = 77, G5 = 79, A5 = 81, B5 = 83 };

const Chord C{60, false, 36}, Am{57, true, 33}, F{53, false, 29}, G{55, false, 31}, Em{52, true, 28};

void bassLine(Song& s, int p, int inst, const Chord (&bars)[4]) {
    for (int bar = 0; bar < 4; ++bar) {
        const int r = bar * 16, root = bars[bar].bass;
        s.note(p, r, 1, inst, root);
        s.note(p, r + 8, 1, inst, root + 7);
        s.note(p, r + 12, 1, inst, root + 12);
    }
}

void softDrums(Song& s, int p, int kick, int snare, int hat) {
    for (int bar = 0; bar < 4; ++bar) {
        const int r = bar * 16;
        s.drum(p, r, 0, kick, 48);
        s.drum(p, r + 4, 0, snare, 28);
        s.drum(p, r + 8, 0, kick, 40);
        s.drum(p, r + 12, 0, snare, 28);
        for (int h : {2, 6, 10, 14}) s.drum(p, r + h, 0, hat, 14);
    }
}
}  // namespace

Module endingModule() {
    Song s("Korvane - the end");
    const int bell = s.add(bellTone()), bass = s.add(bassSynth()), pad = s.add(chorusPad());
    const int kick = s.add(kickDrum()), snare = s.add(snareDrum()), hat = s.add(closedHat());

    const Chord home[4] = {C, Am, F, G};
    const Chord lift[4] = {F, G, Em, Am};

    // 0: bells and chords alone.
    s.effect(0, 0, 0, fx::Speed, 8);
    bassLine(s, 0, bass, home);
    for (int bar = 0; bar < 4; ++bar) s.chord(0, 3, pad, bar * 16, home[bar], 16, 8, -1);
    s.line(0, 2, bell, 0, {{E5, 8}, {D5, 4}, {C5, 4}, {C5, 8}, {A4, 8}, {A4, 4}, {C5, 4}, {F5, 8}, {E5, 8}, {D5, 8}});

    // 1: the drums join.
    softDrums(s, 1, kick, snare, hat);
    bassLine(s, 1, bass, home);
    for (int bar = 0; bar < 4; ++bar) s.chord(1, 3, pad, bar * 16, home[bar], 16, 4, -1);
    s.line(1, 2, bell, 0, {{G5, 8}, {E5, 4}, {G5, 4}, {A5, 8}, {E5, 8}, {F5, 4}, {E5, 4}, {D5, 4}, {C5, 4}, {D5, 16}});

    // 2: the lift.
    softDrums(s, 2, kick, snare, hat);
    bassLine(s, 2, bass, lift);
    for (int bar = 0; bar < 4; ++bar) s.chord(2, 3, pad, bar * 16, lift[bar], 16, 4, -1);
    s.line(2, 2, bell, 0, {{C5, 4}, {F5, 4}, {A5, 8}, {G5, 8}, {D5, 8}, {E5, 4}, {G5, 4}, {B5, 8}, {A5, 16}});

    // 3: home, and the last chord left to ring and fade.
    s.drum(3, 0, 0, kick, 48);
    s.drum(3, 16, 0, kick, 40);
    s.drum(3, 32, 0, kick, 44);
    const Chord tail[4] = {F, G, C, C};
    s.note(3, 0, 1, bass, F.bass);
    s.note(3, 16, 1, bass, G.bass);
    s.note(3, 32, 1, bass, C.bass);
    for (int r = 40; r < 64; ++r) s.effect(3, r, 1, fx::VolumeSlide, 0x02);
    s.chord(3, 3, pad, 0, tail[0], 16, 8, -1);
    s.chord(3, 3, pad, 16, tail[1], 16, 8, -1);
    s.chord(3, 3, pad, 32, tail[2], 8, 8, -1);
    for (int r = 40; r < 64; ++r) s.effect(3, r, 3, fx::VolumeSlide, 0x02);
    s.line(3, 2, bell, 0, {{A5, 8}, {F5, 8}, {G5, 8}, {D5, 8}, {C5, 16}});
    s.note(3, 48, 2, bell, 64, 36);  // a last quiet E under the fading chord

    return s.build({0, 1, 2, 1, 3});
}

void makeModules(const std::filesystem::path& programDir) {
    writeModule(programDir / "MODs" / "Intro.Mod", introModule());
    writeModule(programDir / "MODs" / "Ending.Mod", endingModule());
}

}  // namespace assetgen
