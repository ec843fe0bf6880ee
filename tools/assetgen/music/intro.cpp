// Title music. Channels: 0 drums, 1 bass, 2 lead, 3 chords. Speed 6 at
// 125 BPM: a row is a sixteenth note, a pattern four bars.
#include "modules.h"
#include "song.h"

namespace assetgen {

namespace {
// MIDI names used below.
enum : int {
    Gs4 = 68,
    A4 = 69,
    B4 = 71,
    C5 = 72,
    D5 = 74,
    E5 = 76,
    F5 = 77,
    G5 = 79,
    Gs5 = 80,
    A5 = 81,
    B5 = 83,
};

const Chord Am{57, true, 33}, F{53, false, 29}, C{60, false, 36}, G{55, false, 31}, Dm{62, true, 38}, E{52, false, 40};

struct Kit {
    int kick, snare, hat, crash;
};

enum Groove { Sparse, Driving, Half };

void drums(Song& s, int p, const Kit& k, Groove g, bool fill, bool crash) {
    for (int bar = 0; bar < 4; ++bar) {
        const int r = bar * 16;
        const bool last = bar == 3 && fill;
        if (g == Sparse) {
            s.drum(p, r, 0, k.kick);
            for (int h : {4, 8, 12}) s.drum(p, r + h, 0, k.hat, h == 8 ? 28 : 18);
            if (bar >= 2) s.drum(p, r + 10, 0, k.kick, 48);
            continue;
        }
        if (g == Half) {
            s.drum(p, r, 0, k.kick);
            s.drum(p, r + 8, 0, k.snare, 40);
            for (int h : {2, 4, 6, 10, 12, 14}) s.drum(p, r + h, 0, k.hat, 16 + (h % 4 == 0 ? 8 : 0));
            continue;
        }
        s.drum(p, r, 0, k.kick);
        s.drum(p, r + 2, 0, k.hat, 22);
        s.drum(p, r + 4, 0, k.snare);
        s.drum(p, r + 6, 0, k.hat, 22);
        s.drum(p, r + 8, 0, k.kick);
        s.drum(p, r + 10, 0, k.kick, 50);
        if (!last) {
            s.drum(p, r + 12, 0, k.snare);
            s.drum(p, r + 14, 0, k.hat, 22);
            s.drum(p, r + 15, 0, k.hat, 14);
        } else {
            // A snare roll into the next pattern, getting louder.
            for (int i = 11; i < 16; ++i) s.drum(p, r + i, 0, k.snare, 30 + (i - 11) * 8);
        }
    }
    if (crash) s.drum(p, 0, 0, k.crash);
}

void bassLine(Song& s, int p, int inst, const Chord (&bars)[4], bool half) {
    for (int bar = 0; bar < 4; ++bar) {
        const int r = bar * 16, root = bars[bar].bass;
        if (half) {
            s.note(p, r, 1, inst, root);
            s.note(p, r + 8, 1, inst, root + 7);
            continue;
        }
        const int riff[8] = {0, 0, 12, 0, 0, 12, 7, 12};
        for (int i = 0; i < 8; ++i) s.note(p, r + 2 * i, 1, inst, root + riff[i]);
    }
}

void chords(Song& s, int p, int inst, const Chord (&bars)[4], int every) {
    for (int bar = 0; bar < 4; ++bar) s.chord(p, 3, inst, bar * 16, bars[bar], 16, every, -1);
}

// The band under the lead: its instruments.
struct Band {
    int bass, pad;
    Kit kit;
};

// How the band plays one pattern.
struct Backing {
    Groove groove;
    bool fill, crash;  // a snare roll into the next pattern; a crash on its first row
    const Chord (&bars)[4];
    bool halfBass;   // the bass on the first and third beat only
    int chordEvery;  // rows between the chords' strikes
};

void backing(Song& s, int p, const Band& band, const Backing& b) {
    drums(s, p, band.kit, b.groove, b.fill, b.crash);
    bassLine(s, p, band.bass, b.bars, b.halfBass);
    chords(s, p, band.pad, b.bars, b.chordEvery);
}

const Chord kVerse[4] = {Am, F, C, G};
const Chord kBridgeA[4] = {Dm, Am, F, E};
const Chord kBridgeB[4] = {Dm, Am, G, E};
const Chord kTurn[4] = {Am, F, G, E};

// The lead's lines, note by note (MIDI note, rows).
const std::vector<Step> kTheme = {{E5, 4}, {C5, 2}, {D5, 2}, {E5, 4}, {A4, 4}, {F5, 6}, {E5, 2}, {D5, 4}, {C5, 4},
                                  {G5, 4}, {E5, 2}, {G5, 2}, {A5, 4}, {G5, 4}, {D5, 8}, {B4, 4}, {D5, 4}};
const std::vector<Step> kAnswer = {{E5, 4}, {C5, 2}, {D5, 2}, {E5, 4}, {A5, 4}, {A5, 6}, {G5, 2}, {F5, 4},
                                   {E5, 4}, {G5, 4}, {E5, 4}, {C5, 4}, {D5, 4}, {D5, 6}, {C5, 2}, {B4, 8}};
const std::vector<Step> kClimbA = {{F5, 4}, {A5, 4}, {G5, 4}, {F5, 4}, {E5, 8}, {C5, 4}, {E5, 4},
                                   {F5, 4}, {E5, 4}, {D5, 4}, {C5, 4}, {B4, 8}, {Gs4, 8}};
const std::vector<Step> kClimbB = {{D5, 4}, {F5, 4}, {A5, 6}, {G5, 2}, {A5, 4}, {E5, 4},   {C5, 8},
                                   {D5, 4}, {G5, 4}, {B5, 4}, {A5, 2}, {G5, 2}, {Gs5, 12}, {0, 4}};
const std::vector<Step> kBreather = {{E5, 16}, {F5, 16}, {E5, 16}, {D5, 16}};
const std::vector<Step> kTurnBack = {{A5, 8}, {G5, 4}, {E5, 4}, {F5, 8},   {E5, 4}, {D5, 4},
                                     {E5, 8}, {D5, 4}, {B4, 4}, {Gs4, 12}, {0, 4}};
}  // namespace

Module introModule() {
    Song s("Korvane");
    const int lead = s.add(leadSynth()), bass = s.add(bassSynth()), pad = s.add(chorusPad());
    const Band band{bass, pad, Kit{s.add(kickDrum()), s.add(snareDrum()), s.add(closedHat()), s.add(crashCymbal())}};

    // 0: the band comes in, no tune yet.
    backing(s, 0, band, {Sparse, false, false, kVerse, true, 4});

    // 1: the theme.
    backing(s, 1, band, {Driving, false, true, kVerse, false, 4});
    s.line(1, 2, lead, 0, kTheme);
    s.vibrato(1, 2, 50, 56, 6, 3);

    // 2: the theme's answer.
    backing(s, 2, band, {Driving, true, false, kVerse, false, 4});
    s.line(2, 2, lead, 0, kAnswer);
    s.vibrato(2, 2, 57, 64, 6, 3);

    // 3 and 4: the middle, climbing to the dominant.
    backing(s, 3, band, {Driving, false, true, kBridgeA, false, 2});
    s.line(3, 2, lead, 0, kClimbA);
    s.vibrato(3, 2, 17, 24, 6, 3);
    s.vibrato(3, 2, 57, 64, 6, 4);

    backing(s, 4, band, {Driving, true, false, kBridgeB, false, 2});
    s.line(4, 2, lead, 0, kClimbB);
    s.vibrato(4, 2, 50, 60, 5, 4);

    // 5: a breather: long notes over half-time drums.
    backing(s, 5, band, {Half, false, true, kVerse, true, 8});
    s.line(5, 2, lead, 0, kBreather);
    for (int bar = 0; bar < 4; ++bar) s.vibrato(5, 2, bar * 16 + 4, bar * 16 + 16, 4, 3);

    // 6: the theme again, the chords pushing on every eighth.
    backing(s, 6, band, {Driving, false, true, kVerse, false, 2});
    s.line(6, 2, lead, 0, kTheme);

    // 7: the turn back to the top.
    backing(s, 7, band, {Driving, true, false, kTurn, false, 4});
    s.line(7, 2, lead, 0, kTurnBack);
    s.vibrato(7, 2, 49, 60, 6, 4);

    return s.build({0, 1, 2, 3, 4, 5, 6, 2, 7});
}

}  // namespace assetgen
