#pragma once

namespace platform {

// Diagnostic output for developers: written to stderr only when the
// environment variable VEXORIN_TRACE is set, so players never see it.
void Trace(const char* format, ...) __attribute__((format(printf, 1, 2)));
bool TraceEnabled();

} // namespace platform
