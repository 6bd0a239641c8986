#include "core/program/IdleWatch.h"

#include <QLoggingCategory>

namespace {

Q_LOGGING_CATEGORY(lcIdle, "quillane.idle")

} // namespace

std::uint32_t IdleWatch::IdleSecondsOrActive()
{
    if (const std::optional<std::uint32_t> seconds = source_.IdleSeconds())
        return *seconds;
    if (!unknownLogged_) {
        qCWarning(lcIdle) << "the system cannot tell the idle time; the user counts as active";
        unknownLogged_ = true;
    }
    return 0;
}
