#include "runtime/int16.h"

#include <string>

#include "runtime/errors.h"

namespace kv {

void integerOverflow(std::int64_t value) {
    throw FatalError("Overflow: " + std::to_string(value) + " outside " + std::to_string(Int16::lowest) + " to " +
                     std::to_string(Int16::highest));
}

}  // namespace kv
