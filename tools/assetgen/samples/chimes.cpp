// Whistles and chimes: the rod falling, caught and made safe.
#include <cmath>

#include "samples.h"

namespace assetgen {

namespace {
constexpr double R = kSampleRate;

// A struck bell: a few inharmonic partials, the higher ones dying sooner.
Signal bell(double freq, double seconds, double tau) {
    static const double ratio[] = {1.0, 2.0, 2.76, 4.07, 5.43};
    static const double amp[] = {1.0, 0.55, 0.35, 0.2, 0.12};
    Signal s = silence(seconds, R);
    for (int k = 0; k < 5; ++k) {
        Phase p;
        const double f = freq * ratio[k];
        if (f > R / 2.5) continue;
        for (std::size_t i = 0; i < s.size(); ++i) {
            const double t = static_cast<double>(i) / R;
            s[i] += static_cast<float>(amp[k] * sine(p.advance(f, R)) * attackDecay(t, 0.002, tau / (1.0 + 0.6 * k)));
        }
    }
    return s;
}
}  // namespace

// A falling whistle, as of something dropping from the sky.
Signal makeDropRod() {
    const double len = 0.85;
    Signal s = silence(len, R);
    Phase p, vib;
    Noise n(0xd20d);
    OnePole air;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / R;
        const double u = t / len;
        const double f = glide(2100.0, 520.0, u) * (1.0 + 0.012 * sine(vib.advance(7.0, R)));
        const double env = std::min(1.0, t / 0.04) * (1.0 - 0.45 * u);
        const double breath = air.lowpass(n.next(), 3000.0, R) * 0.08;
        s[i] = static_cast<float>((sine(p.advance(f, R)) + breath) * env);
    }
    softenEdges(s, R, 0.01, 0.12);
    normalise(s, dbfs(-14));
    return s;
}

// A rod caught: two bright bell strokes, a fourth apart.
Signal makeCaughtRod() {
    Signal s = silence(0.75, R);
    mixInto(s, bell(noteHz(88), 0.75, 0.28), 0, 0.8f);                                   // E6
    mixInto(s, bell(noteHz(93), 0.65, 0.3), static_cast<std::size_t>(0.075 * R), 0.9f);  // A6
    softenEdges(s, R, 0.001, 0.1);
    normalise(s, dbfs(-9));
    return s;
}

// A rod made safe: a rising major arpeggio of bells that rings on.
Signal makeDiffuse() {
    Signal s = silence(1.3, R);
    const int notes[] = {72, 76, 79, 84};  // C5 E5 G5 C6
    for (int k = 0; k < 4; ++k)
        mixInto(s, bell(noteHz(notes[k]), 1.3 - 0.08 * k, 0.42), static_cast<std::size_t>(0.08 * k * R),
                k == 3 ? 0.9f : 0.7f);
    softenEdges(s, R, 0.001, 0.2);
    normalise(s, dbfs(-8.5));
    return s;
}

}  // namespace assetgen
