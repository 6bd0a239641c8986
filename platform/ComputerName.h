#pragma once

#include <cstddef>
#include <string>

namespace platform {

// The longest computer name the system knows, in characters.
inline constexpr std::size_t ComputerNameLength = 15;

// This computer's name (UTF-8), at most 15 characters.
std::string LocalComputerName();

// The first 15 characters of a UTF-8 name, never cutting a character in half.
std::string CutComputerName(const std::string& name);

} // namespace platform
