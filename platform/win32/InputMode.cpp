#include "platform/InputMode.h"

// imm.h needs the types of windows.h before it.
// clang-format off
#include <windows.h>
#include <imm.h>
// clang-format on

namespace platform {

bool SelectNativeInputMode(std::uintptr_t window)
{
    const auto handle = reinterpret_cast<HWND>(window);
    const HIMC context = ImmGetContext(handle);
    if (context == nullptr)
        return false;
    DWORD conversion = 0;
    DWORD sentence = 0;
    const bool done = ImmGetConversionStatus(context, &conversion, &sentence) &&
                      ImmSetConversionStatus(context, conversion | IME_CMODE_NATIVE, sentence);
    ImmReleaseContext(handle, context);
    return done;
}

} // namespace platform
