#include "platform/Trace.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace platform {

bool TraceEnabled()
{
    static const bool enabled = std::getenv("VEXORIN_TRACE") != nullptr;
    return enabled;
}

void Trace(const char* format, ...)
{
    if (!TraceEnabled())
        return;
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
}

} // namespace platform
