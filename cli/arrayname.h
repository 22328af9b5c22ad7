#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tintwright {

// Why `name` cannot name an array of `elementType` in C or C++ ("is a C or C++ keyword"),
// or nothing when it can.
std::optional<std::string_view> nameProblem(std::string_view name, std::string_view elementType);

// The name a stop file gives its array: the base name of `path` without its extension,
// each character that cannot stand in a C identifier written as "_", and a "_" before a
// leading digit ("night-sky.stops" gives night_sky).
std::string nameFromFile(const std::string& path);

} // namespace tintwright
