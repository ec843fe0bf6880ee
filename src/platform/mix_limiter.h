#pragma once
// The last guard on the final mix. Headroom in the samples and the voice
// levels keeps an ordinary moment well under full scale; when many loud
// sounds pile up all the same, this turns the whole mix down at once and
// lets it come back slowly, so the tops keep their shape instead of being
// cut off, and the mix never reaches full scale.
#include <algorithm>
#include <cmath>
#include <cstddef>

namespace kv::platform {

class MixLimiter {
public:
    // `ceiling`: the highest a sample may reach, as a fraction of full scale.
    // `releaseSeconds`: the time the gain takes to climb back most of the way
    // (to within 1/e) once the pile-up has passed.
    MixLimiter(int rate, float ceiling, double releaseSeconds)
        : ceiling_(ceiling), recover_(static_cast<float>(1.0 - std::exp(-1.0 / (releaseSeconds * rate)))) {}

    // Limits interleaved frames of `channels` samples in place. The gain
    // carries over from one block to the next.
    void process(float* samples, std::size_t frames, int channels) {
        const auto width = static_cast<std::size_t>(channels);
        for (float* frame = samples; frame < samples + frames * width; frame += width) {
            float peak = 0;
            for (std::size_t c = 0; c < width; ++c) peak = std::max(peak, std::fabs(frame[c]));
            gain_ += (1.0f - gain_) * recover_;
            if (peak * gain_ > ceiling_) gain_ = ceiling_ / peak;
            for (std::size_t c = 0; c < width; ++c) frame[c] *= gain_;
        }
    }

    float gain() const { return gain_; }

private:
    float ceiling_;
    float recover_;  // the share of the way back to 1 the gain climbs per frame
    float gain_ = 1.0f;
};

}  // namespace kv::platform
