#pragma once
// Picture transitions: a picture drawn onto a canvas by a wipe in one of four
// directions, a dissolve in square blocks in random order, or a fade.
#include <cstdint>
#include <optional>
#include <string>

#include "media/stopwatch.h"
#include "runtime/controls.h"
#include "runtime/fields.h"
#include "runtime/runtime.h"

namespace kv {

struct TransitionPacing {
    std::int32_t pause;          // ms between steps
    std::int32_t linesPerStep;   // the step draws linesPerStep + 1 strips or blocks
};
// Pacing for a rate in strips (or blocks) per step-millisecond, as the wipe and
// the dissolve compute it.
TransitionPacing pacingFor(double rate);

// The dump shows its settings under the names of its properties.
class CEffects : public Described {
public:
    explicit CEffects(Runtime& rt);

    float AnimationTime() const { return animationTime_; }
    void AnimationTime(float seconds);               // accepted only when > 0
    void Cancel() { how_ = 0; }
    bool ShowWarnings() const { return showWarnings_; }
    void ShowWarnings(bool on) { showWarnings_ = on; }
    std::string LastErrMsg() const { return lastError_; }

    // Canvas may be null ("any object with a device context"; without one the
    // call reports it and stops).
    void DoTransition(PictureBox& pic, PictureBox* canvas, std::int32_t X, std::int32_t Y, std::int32_t How,
                      std::optional<std::int32_t> lparam = std::nullopt);
    void DoFadeOut(std::int32_t unused);
    void DoFade(std::int32_t unused);

    // What the last wipe or dissolve used (tests read these).
    std::int32_t pause() const { return pause_; }
    std::int32_t linesPerStep() const { return linesPerStep_; }
    std::int32_t blockSize() const { return blockSize_; }

private:
    void setError(const std::string& msg) { lastError_ = msg + "\r\n"; }
    void wipe();
    void dissolve();
    void fade(bool out);
    void copyBlock(int sx, int sy, int w, int h);

    Runtime& rt_;
    bool showWarnings_ = declareField("ShowWarnings", &showWarnings_, true);
    std::string lastError_ = declareField("LastErrMsg", &lastError_);
    float animationTime_ = declareField("AnimationTime", &animationTime_, 2.0f);
    std::int32_t blockSize_ = declareField("BlockSize", &blockSize_, 1);
    CStopWatch stopwatch_;
    std::int32_t linesPerStep_ = declareField("LinesPerStep", &linesPerStep_, 10);
    std::int32_t how_ = declareField("How", &how_, 0);
    std::int32_t pause_ = declareField("Pause", &pause_, 0);
    PictureBox* canvas_ = nullptr;
    std::int32_t x_ = 0, y_ = 0;
    PictureBox* pic_ = nullptr;
    std::int32_t picWidth_ = 0, picHeight_ = 0;
};

}  // namespace kv
