#pragma once
#include <chrono>
#include <functional>

// Runs work in a child process, for checks that a crash at any moment of it
// loses nothing. The child ends with _exit, so no destructor of the test runs twice.
namespace kill_during {

using Clock = std::chrono::steady_clock;

// How long work takes in a child process, from its start to its end.
Clock::duration TimeInChild(const std::function<void()>& work);
// Starts work in a child and kills it with SIGKILL `after` its start.
// True when the kill came before the work was done.
bool KillAfter(const std::function<void()>& work, Clock::duration after);

} // namespace kill_during
