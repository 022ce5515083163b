#include "KillDuring.h"

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace kill_during {

namespace {

// The child writes one byte when it starts the work and one when it is done.
pid_t Start(const std::function<void()>& work, int& reader)
{
    int ends[2];
    if (::pipe(ends) != 0)
        return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(ends[0]);
        char mark = 's';
        (void)!::write(ends[1], &mark, 1);
        work();
        mark = 'e';
        (void)!::write(ends[1], &mark, 1);
        ::_exit(0);
    }
    ::close(ends[1]);
    reader = ends[0];
    char mark = 0;
    if (child < 0 || ::read(reader, &mark, 1) != 1) {
        ::close(reader);
        return -1;
    }
    return child;
}

} // namespace

Clock::duration TimeInChild(const std::function<void()>& work)
{
    int reader = -1;
    const pid_t child = Start(work, reader);
    if (child < 0)
        return {};
    const Clock::time_point started = Clock::now();
    char mark = 0;
    (void)!::read(reader, &mark, 1);
    const Clock::duration took = Clock::now() - started;
    ::close(reader);
    ::waitpid(child, nullptr, 0);
    return took;
}

bool KillAfter(const std::function<void()>& work, Clock::duration after)
{
    int reader = -1;
    const pid_t child = Start(work, reader);
    if (child < 0)
        return false;
    // Waiting busily: a sleep would not end within the few microseconds a save takes.
    const Clock::time_point at = Clock::now() + after;
    while (Clock::now() < at) { }
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ::close(reader);
    return WIFSIGNALED(status);
}

} // namespace kill_during
