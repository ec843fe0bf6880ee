// Small building blocks for synthesising sound: oscillators, envelopes,
// filters and a repeatable noise source. Everything works on float sample
// buffers in [-1, 1] at a given rate.
#pragma once

#include <cstdint>
#include <vector>

namespace assetgen {

using Signal = std::vector<float>;

constexpr double kPi = 3.14159265358979323846;

// A repeatable white-noise source (the same seed gives the same sound).
class Noise {
public:
    explicit Noise(std::uint32_t seed) : state_(seed ? seed : 1u) {}
    float next();  // uniform in [-1, 1)

private:
    std::uint32_t state_;
};

// One-pole low-pass and high-pass filters with a cutoff that may move.
class OnePole {
public:
    float lowpass(float x, double cutoffHz, double rate);
    float highpass(float x, double cutoffHz, double rate);

private:
    float y_ = 0;
    float lastX_ = 0;
    float hp_ = 0;
};

// A resonant state-variable low-pass (for brassy and zappy tones).
class Resonant {
public:
    float lowpass(float x, double cutoffHz, double q, double rate);
    float bandpass() const { return band_; }

private:
    float low_ = 0, band_ = 0;
};

// Phase accumulator: call with the frequency of each sample.
class Phase {
public:
    double advance(double freqHz, double rate);  // returns the phase before the step, in cycles [0, 1)
    double value() const { return phase_; }

private:
    double phase_ = 0;
};

double sine(double cycles);
double saw(double cycles);  // band-limited enough for effects: softened by filters later
double square(double cycles, double duty = 0.5);
double triangle(double cycles);

// Exponential glide from a to b over [0, 1].
double glide(double a, double b, double t);
// Attack-decay envelope: linear rise over attack seconds, exponential fall
// with the given time constant, at time t.
double attackDecay(double t, double attack, double tau);

// Helpers for whole buffers.
Signal silence(double seconds, double rate);
void mixInto(Signal& into, const Signal& what, std::size_t at, float gain = 1.0f);
// Fades the very start and end so the sound begins and ends at rest.
void softenEdges(Signal& s, double rate, double fadeInSec = 0.002, double fadeOutSec = 0.015);
// Scales so the loudest peak sits at `peak`.
void normalise(Signal& s, float peak);
// A level in decibels below full scale, as a fraction of full scale.
float dbfs(double db);
// Gentle saturation, for weight without hard clipping.
void saturate(Signal& s, float drive);

double noteHz(int midiNote);

}  // namespace assetgen
