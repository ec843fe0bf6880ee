#include "runtime/fields.h"

#include <nlohmann/json.hpp>

#include "runtime/errors.h"

namespace kv {

void arrayIndexOutOfRange(long index, int lo, int hi) {
    throw FatalError("array index " + std::to_string(index) + " outside " + std::to_string(lo) + " to " +
                     std::to_string(hi));
}

void to_json(nlohmann::json& j, Int16 v) { j = int(v); }

namespace dump {
void putInt(nlohmann::json& j, std::int64_t v) { j = v; }
void putBool(nlohmann::json& j, bool v) { j = v; }
void putReal(nlohmann::json& j, double v) { j = v; }
void putText(nlohmann::json& j, const std::string& v) { j = v; }
void putNull(nlohmann::json& j) { j = nullptr; }
void makeArray(nlohmann::json& j) { j = nlohmann::json::array(); }
nlohmann::json& append(nlohmann::json& array) {
    array.push_back(nullptr);
    return array.back();
}
nlohmann::json& member(nlohmann::json& object, const char* key) { return object[key]; }
}  // namespace dump

void Described::describeFields(nlohmann::json& out) const {
    if (!out.is_object()) out = nlohmann::json::object();
    for (const Field& f : fields_) {
        if (f.name) f.write(out[f.name]);
        else f.write(out);
    }
}

}  // namespace kv
