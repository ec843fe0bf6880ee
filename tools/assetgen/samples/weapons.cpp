// Shots, hits and explosions.
#include <cmath>

#include "samples.h"

namespace assetgen {

namespace {
constexpr double R = kSampleRate;
}

// A bright zap that drops fast in pitch: two detuned pulses through a
// resonant filter that follows the pitch down.
Signal makePhaser() {
    const double len = 0.30;
    Signal s = silence(len, R);
    Phase a, b, wob;
    Resonant f;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / R;
        const double u = t / len;
        const double pitch = glide(1900.0, 220.0, std::pow(u, 0.6));
        const double w = sine(wob.advance(38.0, R));
        const double x =
            0.6 * square(a.advance(pitch * (1.0 + 0.04 * w), R), 0.3) + 0.4 * saw(b.advance(pitch * 1.503, R));
        const double y = f.lowpass(static_cast<float>(x), pitch * 3.0, 4.0, R);
        s[i] = static_cast<float>(y * attackDecay(t, 0.003, 0.09));
    }
    softenEdges(s, R, 0.002, 0.03);
    normalise(s, dbfs(-9));
    return s;
}

// A blast: noise through a closing filter, a low rumble underneath and a
// few crackles as debris flies.
Signal makeShipExplode() {
    const double len = 1.35;
    Signal s = silence(len, R);
    Noise n(0x5eed1);
    Noise crackle(0xc4ac1e);
    OnePole lp1, lp2, hp;
    Phase rumble;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / R;
        const double cutoff = glide(6000.0, 160.0, t / len);
        float x = lp2.lowpass(lp1.lowpass(n.next(), cutoff, R), cutoff * 1.5, R);
        const double body = attackDecay(t, 0.004, 0.32);
        const double low = 0.6 * sine(rumble.advance(glide(90.0, 32.0, t / 0.8), R)) * attackDecay(t, 0.01, 0.35);
        double c = 0;
        if (t < 0.7 && crackle.next() > 0.9993f) c = crackle.next() * 1.5;
        s[i] = static_cast<float>(1.6 * x * body + low + c * attackDecay(t, 0.0, 0.3));
        s[i] = hp.highpass(s[i], 25.0, R);
    }
    saturate(s, 1.6f);
    softenEdges(s, R, 0.002, 0.25);
    normalise(s, dbfs(-6.5));
    return s;
}

// Something heavy hitting the ground far below: a deep falling sine and a
// thump of filtered noise, some 15 dB down after 75 ms, so that the mother
// ship's fire, a shot every 75 ms at most, thuds as a rhythm.
Signal makeBoom() {
    const double len = 0.3;
    Signal s = silence(len, R);
    Phase p, sub;
    Noise n(0xb00b);
    OnePole lp, lp2;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / R;
        const double f = glide(120.0, 40.0, std::min(t / 0.12, 1.0));
        const double tone = sine(p.advance(f, R)) * attackDecay(t, 0.003, 0.035);
        const double under = 0.5 * sine(sub.advance(f * 0.5, R)) * attackDecay(t, 0.01, 0.045);
        const double thump = lp2.lowpass(lp.lowpass(n.next(), 900.0, R), 500.0, R) * 3.5 * attackDecay(t, 0.001, 0.02);
        s[i] = static_cast<float>(tone + under + thump);
    }
    saturate(s, 1.5f);
    softenEdges(s, R, 0.002, 0.15);
    normalise(s, dbfs(-8));
    return s;
}

// The bonus box is shot: a short crack and a metallic clang that rings out.
Signal makeHitBonus() {
    const double len = 0.55;
    Signal s = silence(len, R);
    Noise n(0x417);
    OnePole hp;
    Phase a, b, c, m;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / R;
        const double crack = hp.highpass(n.next(), 1800.0, R) * attackDecay(t, 0.001, 0.018);
        const double ring =
            (sine(a.advance(740.0, R)) * 0.5 + sine(b.advance(1187.0, R)) * 0.35 + sine(c.advance(1851.0, R)) * 0.25) *
            (0.6 + 0.4 * sine(m.advance(93.0, R))) * attackDecay(t, 0.002, 0.13);
        s[i] = static_cast<float>(1.3 * crack + ring);
    }
    softenEdges(s, R, 0.001, 0.06);
    normalise(s, dbfs(kLoudestPeakDb));
    return s;
}

}  // namespace assetgen
