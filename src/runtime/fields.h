#pragma once
// The variables a form, the game-wide state or a helper object shows in the
// state dump. Each is declared once, where it lives, and enters the dump under
// its own name:
//
//     KV_VAR(RodsNeeded, Int16);
//     KV_VAR(Ships, Array<DropShipRec, 1, 7>);
//
// declares the member (value-initialised) and registers it. A record type that
// appears in the dump gives itself a toJson overload next to its definition.
#include <concepts>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "runtime/array.h"
#include "runtime/int16.h"

namespace kv {

// Writing into the dump without the whole JSON library in every header.
namespace dump {
void putInt(nlohmann::json& j, std::int64_t v);
void putBool(nlohmann::json& j, bool v);
void putReal(nlohmann::json& j, double v);
void putText(nlohmann::json& j, const std::string& v);
void putNull(nlohmann::json& j);
void makeArray(nlohmann::json& j);
nlohmann::json& append(nlohmann::json& array);
nlohmann::json& member(nlohmann::json& object, const char* key);
}  // namespace dump

template <class T>
    requires std::integral<T>
void toJson(nlohmann::json& j, T v) {
    if constexpr (std::same_as<T, bool>) dump::putBool(j, v);
    else dump::putInt(j, static_cast<std::int64_t>(v));
}
template <class T>
    requires std::floating_point<T>
void toJson(nlohmann::json& j, T v) {
    dump::putReal(j, static_cast<double>(v));
}
inline void toJson(nlohmann::json& j, Int16 v) { dump::putInt(j, v); }
// The JSON library's own hook, for records that build their objects directly.
void to_json(nlohmann::json& j, Int16 v);
inline void toJson(nlohmann::json& j, const std::string& v) { dump::putText(j, v); }

// Sequences dump as JSON arrays, first element first.
template <class Seq>
void toJsonArray(nlohmann::json& j, const Seq& seq) {
    dump::makeArray(j);
    for (const auto& item : seq) toJson(dump::append(j), item);
}
template <class T, std::size_t N>
void toJson(nlohmann::json& j, const std::array<T, N>& a) { toJsonArray(j, a); }
template <class T>
void toJson(nlohmann::json& j, const std::vector<T>& v) { toJsonArray(j, v); }
template <class T, int Lo, int Hi>
void toJson(nlohmann::json& j, const Array<T, Lo, Hi>& a) { toJsonArray(j, a); }
// An object made on first use: null until then.
template <class T>
void toJson(nlohmann::json& j, const std::unique_ptr<T>& p) {
    if (p) toJson(j, *p);
    else dump::putNull(j);
}

class Described {
public:
    Described() = default;
    // Registered fields point into this object: it cannot be copied or moved.
    Described(const Described&) = delete;
    Described& operator=(const Described&) = delete;

    // Every declared field under its name, into the JSON object out.
    void describeFields(nlohmann::json& out) const;

protected:
    // Registers a field and returns its first value.
    template <class T>
    T declareField(const char* name, const T* field, T first = T{}) {
        fields_.push_back({name, [field](nlohmann::json& j) { toJson(j, *field); }});
        return first;
    }
    // A member that writes several dump entries of its own (a star field's
    // four arrays): T provides describeInto(json& object, const T&).
    template <class T>
    T declareFieldGroup(const T* member) {
        fields_.push_back({nullptr, [member](nlohmann::json& out) { describeInto(out, *member); }});
        return T{};
    }

private:
    struct Field {
        const char* name;   // null: a group that writes its own entries
        std::function<void(nlohmann::json&)> write;
    };
    std::vector<Field> fields_;
};

// An object with declared fields dumps as an object of them.
template <class T>
    requires std::derived_from<T, Described>
void toJson(nlohmann::json& j, const T& object) {
    object.describeFields(j);
}

}  // namespace kv

// Declares a dumped member variable: KV_VAR(Name, Type). The type comes last so
// that template arguments with commas need no brackets.
#define KV_VAR(Name, ...) __VA_ARGS__ Name = declareField(#Name, &Name)
// Declares a member whose type writes several dump entries itself.
#define KV_VAR_GROUP(Name, ...) __VA_ARGS__ Name = declareFieldGroup(&Name)
