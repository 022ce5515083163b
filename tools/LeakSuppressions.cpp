// Read by LeakSanitizer at exit; unused in ordinary builds.
//
// The system's SDL and OpenGL libraries keep their driver set-up for the life
// of the process. The GL driver is unloaded when its display closes, so its
// leaks can no longer be traced to a library; the game itself never calls
// strdup, calloc or realloc, so those stay checked through every other allocator.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libSDL2\n"
           "leak:libEGL\n"
           "leak:libGLX\n"
           "leak:libGL.so\n"
           "leak:swrast_dri\n"
           "leak:libLLVM\n"
           "leak:libgallium\n"
           "leak:__interceptor_strdup\n"
           "leak:^strdup$\n" // as clang's sanitizer names it
           "leak:__interceptor_calloc\n"
           "leak:__interceptor_realloc\n";
}

// The GL driver's threads leave dynamic thread-local blocks behind whose
// bounds go stale when the driver is unloaded; following them at the exit
// check crashes the leak checker, so they are not tracked.
extern "C" const char* __asan_default_options() { return "intercept_tls_get_addr=0"; }
