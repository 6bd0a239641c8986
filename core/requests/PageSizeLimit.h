#pragma once

#include <QtGlobal>

// The largest page the browser stand-in reads. The service's answer pages are a few KB; a larger
// page completes as the browser's error page, so that no handler takes it for an answer and the
// parser's time and the depth of its tree stay small.
constexpr qsizetype MaxPageBytes = 32 * 1024;
