#pragma once

#include <cstdint>
#include <memory>
#include <optional>

namespace platform {

// The whole seconds since the last keyboard or mouse input of the interactive user.
class IdleSource
{
public:
    virtual ~IdleSource() = default;
    // std::nullopt when the system cannot tell.
    virtual std::optional<std::uint32_t> IdleSeconds() = 0;
};

// The idle source of the running desktop; called after the application object exists. Never
// null: where no source works, the one returned answers std::nullopt.
std::unique_ptr<IdleSource> CreateSystemIdleSource();

} // namespace platform
