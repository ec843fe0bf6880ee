#include "synth.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

float Noise::next() {
    // xorshift32
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<float>(state_ >> 8) / static_cast<float>(1u << 23) - 1.0f;
}

float OnePole::lowpass(float x, double cutoffHz, double rate) {
    const double a = 1.0 - std::exp(-2.0 * kPi * cutoffHz / rate);
    y_ += static_cast<float>(a) * (x - y_);
    return y_;
}

float OnePole::highpass(float x, double cutoffHz, double rate) {
    const double rc = 1.0 / (2.0 * kPi * cutoffHz);
    const double a = rc / (rc + 1.0 / rate);
    hp_ = static_cast<float>(a * (hp_ + x - lastX_));
    lastX_ = x;
    return hp_;
}

float Resonant::lowpass(float x, double cutoffHz, double q, double rate) {
    // Chamberlin state-variable filter, kept stable by limiting the cutoff.
    const double f = 2.0 * std::sin(kPi * std::min(cutoffHz, rate / 6.0) / rate);
    const double damp = 1.0 / std::max(q, 0.5);
    low_ += static_cast<float>(f) * band_;
    const float high = x - low_ - static_cast<float>(damp) * band_;
    band_ += static_cast<float>(f) * high;
    return low_;
}

double Phase::advance(double freqHz, double rate) {
    const double before = phase_;
    phase_ += freqHz / rate;
    phase_ -= std::floor(phase_);
    return before;
}

double sine(double c) { return std::sin(2.0 * kPi * c); }
double saw(double c) { return 2.0 * (c - std::floor(c + 0.5)); }
double square(double c, double duty) { return c - std::floor(c) < duty ? 1.0 : -1.0; }
double triangle(double c) {
    const double x = c - std::floor(c);
    return x < 0.5 ? 4.0 * x - 1.0 : 3.0 - 4.0 * x;
}

double glide(double a, double b, double t) { return a * std::pow(b / a, std::clamp(t, 0.0, 1.0)); }

double attackDecay(double t, double attack, double tau) {
    if (t < 0) return 0;
    if (t < attack) return t / attack;
    return std::exp(-(t - attack) / tau);
}

Signal silence(double seconds, double rate) { return Signal(static_cast<std::size_t>(seconds * rate), 0.0f); }

void mixInto(Signal& into, const Signal& what, std::size_t at, float gain) {
    if (into.size() < at + what.size()) into.resize(at + what.size(), 0.0f);
    for (std::size_t i = 0; i < what.size(); ++i) into[at + i] += gain * what[i];
}

void softenEdges(Signal& s, double rate, double fadeInSec, double fadeOutSec) {
    const std::size_t in = std::min(s.size(), static_cast<std::size_t>(fadeInSec * rate));
    const std::size_t out = std::min(s.size(), static_cast<std::size_t>(fadeOutSec * rate));
    for (std::size_t i = 0; i < in; ++i) s[i] *= static_cast<float>(i) / static_cast<float>(in);
    for (std::size_t i = 0; i < out; ++i) {
        // A raised-cosine tail: no corner where the fade starts.
        const double t = static_cast<double>(i) / static_cast<double>(out);
        s[s.size() - 1 - i] *= static_cast<float>(0.5 - 0.5 * std::cos(kPi * t));
    }
}

void normalise(Signal& s, float peak) {
    float m = 0;
    for (float v : s) m = std::max(m, std::fabs(v));
    if (m <= 0) return;
    for (float& v : s) v *= peak / m;
}

float dbfs(double db) { return static_cast<float>(std::pow(10.0, db / 20.0)); }

void saturate(Signal& s, float drive) {
    const float norm = std::tanh(drive);
    for (float& v : s) v = std::tanh(drive * v) / norm;
}

double noteHz(int midiNote) { return 440.0 * std::pow(2.0, (midiNote - 69) / 12.0); }

}  // namespace assetgen
