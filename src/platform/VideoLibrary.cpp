#include "platform/VideoLibrary.h"
#include "platform/Trace.h"

#include <dlfcn.h>

namespace platform {

namespace {

// The versions the game was built against: another major version has another interface.
constexpr const char* kSonames[] = {
    "libavutil.so." AV_STRINGIFY(LIBAVUTIL_VERSION_MAJOR),
    "libswscale.so." AV_STRINGIFY(LIBSWSCALE_VERSION_MAJOR),
    "libavcodec.so." AV_STRINGIFY(LIBAVCODEC_VERSION_MAJOR),
    "libavformat.so." AV_STRINGIFY(LIBAVFORMAT_VERSION_MAJOR),
};

// Once a library is unloaded, the leak checker reports what it kept for its
// whole life, as nothing points there any more: under it they stay loaded.
#ifdef VEXORIN_SANITIZE
constexpr bool kUnload = false;
#else
constexpr bool kUnload = true;
#endif

} // namespace

std::shared_ptr<const VideoLibrary> VideoLibrary::Hold()
{
    static std::weak_ptr<const VideoLibrary> held;
    if (auto library = held.lock())
        return library;
    std::shared_ptr<VideoLibrary> library(new VideoLibrary);
    if (!library->Load())
        return nullptr;
    held = library;
    return library;
}

// Kept to themselves: no symbol of theirs is seen by libraries loaded later.
bool VideoLibrary::Load()
{
    for (int part = 0; part < kParts; ++part) {
        if (!(m_handles[part] = dlopen(kSonames[part], RTLD_LAZY | RTLD_LOCAL))) {
            Trace("Video decoding unavailable: %s\n", dlerror());
            return false;
        }
    }
#define VEXORIN_VIDEO_FIND(library, name)                                                                              \
    if (!(name = reinterpret_cast<decltype(name)>(dlsym(m_handles[library], #name)))) {                                \
        Trace("Video decoding unavailable: %s has no %s\n", kSonames[library], #name);                                 \
        return false;                                                                                                  \
    }
    VEXORIN_VIDEO_FUNCTIONS(VEXORIN_VIDEO_FIND)
#undef VEXORIN_VIDEO_FIND
    return true;
}

VideoLibrary::~VideoLibrary()
{
    for (int part = kParts - 1; part >= 0; --part)
        if (m_handles[part] && kUnload)
            dlclose(m_handles[part]);
}

} // namespace platform
