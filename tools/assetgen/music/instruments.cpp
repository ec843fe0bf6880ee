#include "instruments.h"

#include <algorithm>
#include <cmath>

#include "samples/synth.h"

namespace assetgen {

namespace {
const double kC2Rate = playbackRate(428);  // a sample's own rate when played at C-2
const double kC3Rate = playbackRate(214);

std::vector<std::int8_t> toBytes(const Signal& s, float peak) {
    float m = 0;
    for (float v : s) m = std::max(m, std::fabs(v));
    const float k = m > 0 ? peak * 127.0f / m : 0.0f;
    std::vector<std::int8_t> out;
    out.reserve(s.size() + 1);
    for (float v : s) out.push_back(static_cast<std::int8_t>(std::clamp(std::lround(v * k), -127L, 127L)));
    if (out.size() % 2) out.push_back(0);
    return out;
}

// One cycle, summed from harmonics with amplitudes amp(k).
template <class F>
Signal cycle(int length, int harmonics, F amp) {
    Signal s(static_cast<std::size_t>(length), 0.0f);
    for (int k = 1; k <= harmonics && k < length / 2; ++k) {
        const double a = amp(k);
        for (int i = 0; i < length; ++i)
            s[static_cast<std::size_t>(i)] += static_cast<float>(a * std::sin(2 * kPi * k * i / length));
    }
    return s;
}

// A voice whose timbre settles over its first cycles, then loops its last one.
Instrument settlingVoice(const char* name, int cycleLength, int cycles, int baseMidi, int volume,
                         double (*amp)(int k, double brightness)) {
    Signal s;
    const int harmonics = cycleLength / 2 - 1;
    for (int c = 0; c <= cycles; ++c) {
        const double bright = 1.0 - static_cast<double>(c) / cycles;  // 1 at the start, 0 once settled
        const double level = 1.0 - 0.3 * (1.0 - bright);              // the attack is a little louder
        Signal one = cycle(cycleLength, harmonics, [&](int k) { return level * amp(k, bright); });
        s.insert(s.end(), one.begin(), one.end());
    }
    Instrument in;
    in.baseMidi = baseMidi;
    in.sample.name = name;
    in.sample.data = toBytes(s, 0.95f);
    in.sample.volume = volume;
    in.sample.loopStart = static_cast<std::size_t>(cycles * cycleLength);
    in.sample.loopLength = static_cast<std::size_t>(cycleLength);
    // Even so the first cycle starts at zero, so a note never clicks in.
    return in;
}

double leadHarmonic(int k, double bright) {
    // A 30% pulse, its top end rolled off more as the note settles.
    const double pulse = 2.0 / (k * kPi) * std::sin(k * kPi * 0.3);
    return pulse * std::exp(-k * (0.16 - 0.1 * bright));
}

double bassHarmonic(int k, double bright) {
    // A saw with a touch of square, its filter closing after the pluck.
    const double saw = 1.0 / k;
    const double sq = (k % 2) ? 0.6 / k : 0.0;
    return (saw + sq) * std::exp(-k * (0.22 - 0.18 * bright * bright));
}

Signal drumSignal(double seconds) { return Signal(static_cast<std::size_t>(seconds * kC3Rate), 0.0f); }

Instrument oneShot(const char* name, const Signal& s, float peak, int volume, int baseMidi = 72) {
    Signal t = s;
    // Starts and ends at rest.
    t.insert(t.begin(), 2, 0.0f);
    const std::size_t fade = std::min<std::size_t>(t.size(), 200);
    for (std::size_t i = 0; i < fade; ++i) t[t.size() - 1 - i] *= static_cast<float>(i) / static_cast<float>(fade);
    Instrument in;
    in.baseMidi = baseMidi;
    in.sample.name = name;
    in.sample.data = toBytes(t, peak);
    in.sample.data[0] = in.sample.data[1] = 0;
    in.sample.volume = volume;
    return in;
}
}  // namespace

Instrument leadSynth() { return settlingVoice("lead", 32, 60, 60, 48, leadHarmonic); }

// The songs put the bass on a right-hand channel and the chords on a left-hand
// one (a module's channels sound left, right, right, left); their levels weigh
// the two sides alike.
Instrument bassSynth() { return settlingVoice("bass", 128, 36, 36, 48, bassHarmonic); }

Instrument chorusPad() {
    // Saws with periods of 32 and 33 samples repeat together every 1056 samples:
    // that is the loop, and the two beat gently against each other in it.
    const int loop = 32 * 33;
    auto soft = [](int k) { return std::exp(-0.25 * k) / k; };
    Signal a = cycle(32, 10, soft);
    Signal b = cycle(33, 10, soft);
    Signal s(static_cast<std::size_t>(3 * loop));
    for (std::size_t i = 0; i < s.size(); ++i) s[i] = a[i % 32] + b[i % 33];
    // Swell in over the first two rounds; the third is the loop.
    for (std::size_t i = 0; i < static_cast<std::size_t>(2 * loop); ++i)
        s[i] *= static_cast<float>(std::sin(0.5 * kPi * static_cast<double>(i) / (2 * loop)));
    Instrument in;
    in.baseMidi = 60;
    in.sample.name = "pad";
    in.sample.data = toBytes(s, 0.9f);
    in.sample.volume = 56;
    in.sample.loopStart = static_cast<std::size_t>(2 * loop);
    in.sample.loopLength = static_cast<std::size_t>(loop);
    return in;
}

Instrument bellTone() {
    const double f = kC2Rate / 32.0;  // C-2 sounds as the lead does
    static const double ratio[] = {1.0, 2.0, 3.0, 4.2, 5.4};
    static const double amp[] = {1.0, 0.5, 0.22, 0.18, 0.08};
    Signal s(static_cast<std::size_t>(1.8 * kC2Rate), 0.0f);
    for (int k = 0; k < 5; ++k)
        for (std::size_t i = 0; i < s.size(); ++i) {
            const double t = static_cast<double>(i) / kC2Rate;
            s[i] += static_cast<float>(amp[k] * std::sin(2 * kPi * f * ratio[k] * t) * std::exp(-t * (1.2 + 1.5 * k)) *
                                       std::min(1.0, t / 0.003));
        }
    return oneShot("bell", s, 0.95f, 50, 60);
}

Instrument kickDrum() {
    Signal s = drumSignal(0.32);
    Phase p;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kC3Rate;
        const double f = 45.0 + 130.0 * std::exp(-t / 0.035);
        s[i] = static_cast<float>(std::tanh(1.8 * sine(p.advance(f, kC3Rate)) * std::exp(-t / 0.12)));
    }
    return oneShot("kick", s, 1.0f, 64);
}

Instrument snareDrum() {
    Signal s = drumSignal(0.22);
    Noise n(0x5a4e);
    OnePole lp, hp;
    Phase p;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kC3Rate;
        const float noise = hp.highpass(lp.lowpass(n.next(), 6500.0, kC3Rate), 900.0, kC3Rate);
        const double tone = sine(p.advance(185.0 - 30.0 * t, kC3Rate)) * std::exp(-t / 0.04);
        s[i] = static_cast<float>(1.4 * noise * std::exp(-t / 0.06) + 0.7 * tone);
    }
    return oneShot("snare", s, 1.0f, 56);
}

Instrument closedHat() {
    Signal s = drumSignal(0.07);
    Noise n(0x4a7);
    OnePole hp, hp2;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kC3Rate;
        s[i] = static_cast<float>(hp2.highpass(hp.highpass(n.next(), 5000.0, kC3Rate), 5000.0, kC3Rate) *
                                  std::exp(-t / 0.018));
    }
    return oneShot("hat", s, 0.9f, 36);
}

Instrument crashCymbal() {
    Signal s = drumSignal(1.1);
    Noise n(0xc2a5);
    OnePole hp;
    Phase a, b;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kC3Rate;
        const double metal = 0.3 * square(a.advance(587.0, kC3Rate)) * square(b.advance(845.0, kC3Rate));
        s[i] = static_cast<float>(hp.highpass(static_cast<float>(n.next() + metal), 3000.0, kC3Rate) *
                                  std::exp(-t / 0.35) * std::min(1.0, t / 0.002));
    }
    return oneShot("crash", s, 0.9f, 40);
}

}  // namespace assetgen
