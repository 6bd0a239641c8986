#pragma once

#include <chrono>

// How long and how many connections a client may hold, so that slow or stuck clients cannot
// tie up the workers.
struct ConnectionLimits
{
    // An open connection waits this long for its next request.
    std::chrono::milliseconds idle{5000};
    // A request, from its first byte to the last byte of its body, whatever pace the bytes come.
    std::chrono::milliseconds request{10000};
    // Each write of an answer.
    std::chrono::milliseconds write{5000};
    // Open connections from one address; more are answered 503 and closed.
    int perAddress = 16;
};
