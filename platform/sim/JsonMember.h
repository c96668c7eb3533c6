#pragma once

#include <nlohmann/json.hpp>

#include <cstdint>
#include <string>
#include <type_traits>

namespace platform::sim {

// The member `name` of `object` read as T, or `fallback` when `object` is no object, the member is
// missing or it has another JSON type. The simulated PC reads machine.json only through this, so that a
// description changed by hand never throws out of a platform call.
// A whole number that is not negative: parsed text holds it as unsigned, a document built in code as signed.
inline bool isCount(const nlohmann::json& value)
{
    return value.is_number_unsigned() || (value.is_number_integer() && value.get<std::int64_t>() >= 0);
}

template <typename T>
T memberOr(const nlohmann::json& object, const char* name, T fallback)
{
    if (!object.is_object())
        return fallback;
    const auto it = object.find(name);
    if (it == object.end())
        return fallback;
    if constexpr (std::is_same_v<T, bool>) {
        return it->is_boolean() ? it->template get<bool>() : fallback;
    } else if constexpr (std::is_same_v<T, std::string>) {
        return it->is_string() ? it->template get<std::string>() : fallback;
    } else if constexpr (std::is_same_v<T, nlohmann::json>) {
        return *it;
    } else if constexpr (std::is_floating_point_v<T>) {
        return it->is_number() ? it->template get<T>() : fallback;
    } else {
        static_assert(std::is_integral_v<T> && std::is_unsigned_v<T>, "counts are read unsigned");
        return isCount(*it) ? it->template get<T>() : fallback;
    }
}

inline std::string memberOr(const nlohmann::json& object, const char* name, const char* fallback)
{
    return memberOr(object, name, std::string(fallback));
}

} // namespace platform::sim
