#pragma once

#include <QNetworkAccessManager>
#include <chrono>
#include <functional>

// Every HTTP request of the program runs on one thread of its own, so requests leave and answers
// arrive while the user-interface thread is blocked in a fixed wait. The thread starts on first
// use and stops when the application object is destroyed.

// The access manager shared by all requests (and so one cookie store); it lives on the network
// thread and may be used only there.
QNetworkAccessManager& NetworkManager();

// Runs work on the network thread, later, in the order of the calls.
void RunOnNetworkThread(std::function<void()> work);

// How long a request may take before it counts as failed: 60 s unless a test shortens it.
std::chrono::milliseconds RequestTimeout();
void SetRequestTimeout(std::chrono::milliseconds timeout);
