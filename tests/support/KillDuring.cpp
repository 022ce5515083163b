#include "KillDuring.h"

#include <algorithm>
#include <csignal>
#include <ctime>
#include <sys/wait.h>
#include <unistd.h>

namespace kill_during {

Clock::duration TimeInChild(const std::function<void()>& work)
{
    int ends[2];
    if (::pipe(ends) != 0)
        return {};
    const pid_t child = ::fork();
    if (child == 0) {
        const Clock::time_point started = Clock::now();
        work();
        const Clock::duration took = Clock::now() - started;
        (void)!::write(ends[1], &took, sizeof took);
        ::_exit(0);
    }
    ::close(ends[1]);
    Clock::duration took{};
    if (child < 0 || ::read(ends[0], &took, sizeof took) != sizeof took)
        took = {};
    ::close(ends[0]);
    if (child > 0)
        ::waitpid(child, nullptr, 0);
    return took;
}

// The child arms a timer that sends it SIGKILL: the kernel keeps the time,
// so a busy machine delays neither the start nor the kill against the work.
bool KillAfter(const std::function<void()>& work, Clock::duration after)
{
    const pid_t child = ::fork();
    if (child == 0) {
        sigevent event{};
        event.sigev_notify = SIGEV_SIGNAL;
        event.sigev_signo = SIGKILL;
        timer_t timer;
        const auto ns = std::max<int64_t>(1, std::chrono::duration_cast<std::chrono::nanoseconds>(after).count());
        itimerspec when{};
        when.it_value.tv_sec = static_cast<time_t>(ns / 1000000000);
        when.it_value.tv_nsec = static_cast<long>(ns % 1000000000);
        if (::timer_create(CLOCK_MONOTONIC, &event, &timer) != 0 || ::timer_settime(timer, 0, &when, nullptr) != 0)
            ::_exit(2);
        work();
        ::_exit(0);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child)
        return false;
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

} // namespace kill_during
