// A small score writer on top of the module layout: instruments, notes by MIDI
// number, lines of notes with lengths in rows, drum hits and chords played as
// arpeggios, the classic tracker way of getting a chord out of one channel.
#pragma once

#include <string>
#include <vector>

#include "instruments.h"

namespace assetgen {

struct Step {
    int midi;  // 0: a rest (the note before is cut)
    int rows;
};

struct Chord {
    int root;  // MIDI note of the chord's root, for the arpeggio channel
    bool minor;
    int bass;  // MIDI note for the bass
};

class Song {
public:
    explicit Song(std::string title) : title_(std::move(title)) {}

    int add(const Instrument& in);  // returns the sample number
    ModPattern& pattern(int p);     // grows the pattern list as needed

    void note(int p, int row, int ch, int inst, int midi, int volume = -1);
    void effect(int p, int row, int ch, int effect, int param);
    void drum(int p, int row, int ch, int inst, int volume = -1);
    // A line of notes from a row on; returns the row after it.
    int line(int p, int ch, int inst, int row, const std::vector<Step>& steps, int volume = -1);
    // A chord held for `rows`, struck again every `every` rows.
    void chord(int p, int ch, int inst, int row, const Chord& c, int rows, int every, int volume);
    // Vibrato over the held rows of a note (speed and depth 1..15).
    void vibrato(int p, int ch, int fromRow, int toRow, int speed, int depth);

    Module build(const std::vector<int>& order) const;

private:
    std::string title_;
    std::vector<Instrument> instruments_;
    std::vector<ModPattern> patterns_;
};

}  // namespace assetgen
