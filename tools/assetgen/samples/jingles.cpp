// Little tunes: the bonus jingles, the start-of-planet fanfare and the
// game-over phrase.
#include <cmath>

#include "samples.h"
#include "wav_file.h"

namespace assetgen {

namespace {
constexpr double R = kSampleRate;

struct Note {
    int midi;       // 0: rest
    double start;   // seconds
    double length;  // seconds
    float gain = 1.0f;
};

// A soft square voice with a short pluck envelope (chip-style jingles).
Signal chipNote(double freq, double length, double duty) {
    Signal s = silence(length + 0.08, R);
    Phase p;
    OnePole lp;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / R;
        const double env = attackDecay(t, 0.004, length * 0.7) * (t < length ? 1.0 : std::exp(-(t - length) / 0.015));
        s[i] = static_cast<float>(lp.lowpass(static_cast<float>(square(p.advance(freq, R), duty)), 5000.0, R) * env);
    }
    return s;
}

// A brass voice: a saw whose filter opens with the attack and settles, with
// a slow vibrato that grows on long notes.
Signal brassNote(double freq, double length, double release = 0.12) {
    Signal s = silence(length + release, R);
    Phase a, b, vib;
    Resonant f;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / R;
        const double depth = 0.006 * std::min(1.0, std::max(0.0, t - 0.25) / 0.3);
        const double fr = freq * (1.0 + depth * sine(vib.advance(5.5, R)));
        const double x = 0.55 * saw(a.advance(fr, R)) + 0.45 * saw(b.advance(fr * 1.004, R));
        // The release dies away and reaches silence exactly at the end.
        const double amp = t < length ? std::min(1.0, t / 0.02) * (0.8 + 0.2 * std::exp(-t / 0.08))
                                      : 0.8 * std::exp(-(t - length) / (release / 3.0)) *
                                            (0.5 + 0.5 * std::cos(kPi * (t - length) / release));
        const double cutoff = freq * (1.5 + 5.0 * std::exp(-t / 0.09)) + 400.0;
        s[i] = static_cast<float>(f.lowpass(static_cast<float>(x), cutoff, 1.2, R) * amp);
    }
    return s;
}

Signal tune(const std::vector<Note>& notes, Signal (*voice)(double, double), double total) {
    Signal s = silence(total, R);
    for (const Note& n : notes)
        if (n.midi > 0) mixInto(s, voice(noteHz(n.midi), n.length), static_cast<std::size_t>(n.start * R), n.gain);
    return s;
}

Signal square25(double f, double len) { return chipNote(f, len, 0.25); }
Signal brass(double f, double len) { return brassNote(f, len); }
}  // namespace

// A bonus box flies in: a quick sparkling run up and down.
Signal makeBonus() {
    std::vector<Note> notes;
    const int run[] = {72, 76, 79, 84, 88, 91, 88, 84, 79, 84};
    for (int k = 0; k < 10; ++k) notes.push_back({run[k], 0.055 * k, 0.07, k == 9 ? 1.0f : 0.8f});
    Signal s = tune(notes, square25, 0.8);
    softenEdges(s, R, 0.002, 0.05);
    normalise(s, dbfs(-10));
    return s;
}

// A pick-up collected: a bright two-step rise with a glide into the top note.
Signal makeGetBonus() {
    const double len = 0.42;
    Signal s = silence(len, R);
    Phase p, q;
    OnePole lp;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / R;
        double midi = t < 0.06 ? 79 : t < 0.12 ? 84 : 91 + std::min(0.0, (t - 0.16) * 10.0);
        midi = std::max(midi, 79.0);
        const double f = 440.0 * std::pow(2.0, (midi - 69) / 12.0);
        const double x = 0.7 * square(p.advance(f, R), 0.5) + 0.3 * sine(q.advance(f * 2.0, R));
        s[i] = static_cast<float>(lp.lowpass(static_cast<float>(x), 6000.0, R) * attackDecay(t, 0.003, 0.16));
    }
    softenEdges(s, R, 0.002, 0.06);
    normalise(s, dbfs(-10));
    return s;
}

// A planet begins: ta-ta-ta-taaa on brass, the last chord held.
Signal makeStartLevel() {
    const double b = 0.13;
    std::vector<Note> top = {{67, 0, b * 0.8},
                             {67, b, b * 0.8},
                             {67, 2 * b, b * 0.8},
                             {72, 3 * b, 0.75},
                             {76, 3 * b + 0.05, 0.7, 0.7f},
                             {79, 3 * b + 0.1, 0.65, 0.8f}};
    std::vector<Note> low = {
        {55, 0, b * 0.8, 0.6f}, {55, b, b * 0.8, 0.6f}, {55, 2 * b, b * 0.8, 0.6f}, {48, 3 * b, 0.8, 0.8f}};
    Signal s = tune(top, brass, 1.45);
    mixInto(s, tune(low, brass, 1.45), 0, 0.9f);
    softenEdges(s, R, 0.002, 0.12);
    normalise(s, dbfs(-7.5));
    return s;
}

// Game over: a slow falling phrase on brass, the last note sinking away.
Signal makeGameOver() {
    std::vector<Note> line = {{67, 0.0, 0.34}, {66, 0.4, 0.34}, {65, 0.8, 0.34}};
    Signal s = tune(line, brass, 2.6);
    // The last note: E4 that sags a semitone as it fades.
    const double start = 1.2, len = 1.3;
    Signal last = silence(len + 0.05, R);
    Phase a, c, vib;
    Resonant f;
    for (std::size_t i = 0; i < last.size(); ++i) {
        const double t = static_cast<double>(i) / R;
        const double bend = t < 0.5 ? 0.0 : -(t - 0.5) / 0.8;
        const double fr =
            noteHz(64) * std::pow(2.0, std::max(bend, -1.0) / 12.0) * (1.0 + 0.01 * sine(vib.advance(5.0, R)));
        const double x = 0.5 * saw(a.advance(fr, R)) + 0.5 * saw(c.advance(fr * 0.997, R));
        const double amp = std::min(1.0, t / 0.03) * std::exp(-t / 0.7);
        last[i] = static_cast<float>(f.lowpass(static_cast<float>(x), fr * 3.0 + 300.0, 1.0, R) * amp);
    }
    mixInto(s, last, static_cast<std::size_t>(start * R));
    // A low line under it, a sixth below.
    std::vector<Note> under = {
        {52, 0.0, 0.34, 0.5f}, {51, 0.4, 0.34, 0.5f}, {50, 0.8, 0.34, 0.5f}, {48, 1.2, 1.1, 0.55f}};
    mixInto(s, tune(under, brass, 2.6), 0);
    softenEdges(s, R, 0.002, 0.3);
    normalise(s, dbfs(-7.5));
    return s;
}

const std::vector<SoundEffect>& soundEffects() {
    static const std::vector<SoundEffect> all = {
        {"Bonus.wav", makeBonus},
        {"Phaser.wav", makePhaser},
        {"ShipExplode.wav", makeShipExplode},
        {"Start Level.wav", makeStartLevel},
        {"Boom.wav", makeBoom},
        {"CaughtRod.wav", makeCaughtRod},
        {"Diffuse.wav", makeDiffuse},
        {"DropRod.wav", makeDropRod},
        {"GameOver.wav", makeGameOver},
        {"HitBonus.wav", makeHitBonus},
        {"GetBonus.wav", makeGetBonus},
    };
    return all;
}

void makeSamples(const std::filesystem::path& programDir) {
    for (const SoundEffect& e : soundEffects()) writeWav(programDir / "Samples" / e.file, e.make(), kSampleRate);
}

}  // namespace assetgen
