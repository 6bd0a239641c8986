#pragma once

#include <cstdint>

namespace platform {

// Switches the input method of the native window to the native-language (Hangul) mode, as a
// text box for Korean text wants. No where the system offers no such switch.
bool SelectNativeInputMode(std::uintptr_t window);

} // namespace platform
