#include "media/stopwatch.h"

namespace kv {

CStopWatch::CStopWatch(Runtime& rt) : rt_(rt) { start_ = multimediaTime(); }

std::uint32_t CStopWatch::Elapsed() const { return multimediaTime() - start_; }

void CStopWatch::Reset() { start_ = multimediaTime(); }

}  // namespace kv
