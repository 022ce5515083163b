#include "MountedFolder.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <sched.h>
#include <string>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace mounted_folder {

namespace {

constexpr int kUnavailable = 3;

bool WriteTo(const char* path, const std::string& text)
{
    std::FILE* file = std::fopen(path, "w");
    const bool written = file && std::fputs(text.c_str(), file) >= 0;
    return file && std::fclose(file) == 0 && written;
}

// The child's own user is mapped into its namespace, so that the files it
// makes in a new file system have an owner.
bool EnterNamespaces()
{
    const std::string uid = std::to_string(::getuid()), gid = std::to_string(::getgid());
    return ::unshare(CLONE_NEWUSER | CLONE_NEWNS) == 0 && WriteTo("/proc/self/setgroups", "deny") &&
        WriteTo("/proc/self/uid_map", uid + " " + uid + " 1") && WriteTo("/proc/self/gid_map", gid + " " + gid + " 1");
}

// The working folder is entered again afterwards: where it lies in the
// mounted folder, it would still be the one underneath.
bool Remount(const std::function<bool()>& mount)
{
    char working[PATH_MAX];
    return ::getcwd(working, sizeof working) && EnterNamespaces() && mount() && ::chdir(working) == 0;
}

bool MountReadOnly(const std::string& folder)
{
    return ::mount(folder.c_str(), folder.c_str(), nullptr, MS_BIND, nullptr) == 0 &&
        ::mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
}

bool MountTiny(const std::string& folder) { return ::mount("tiny", folder.c_str(), "tmpfs", 0, "size=64k") == 0; }

// Writes a file until the file system refuses a byte more.
bool FillUp(const std::string& folder)
{
    std::FILE* filler = std::fopen((folder + "/filler").c_str(), "wb");
    if (!filler)
        return false;
    std::setvbuf(filler, nullptr, _IONBF, 0);
    const std::vector<char> block(512, 'x');
    errno = 0;
    while (std::fwrite(block.data(), 1, block.size(), filler) > 0)
        ;
    const bool full = errno == ENOSPC;
    std::fclose(filler);
    return full;
}

Outcome RunInChild(const std::function<bool()>& mount, const std::function<bool()>& check)
{
    const pid_t child = ::fork();
    if (child == 0) {
        if (!Remount(mount))
            ::_exit(kUnavailable);
        ::_exit(check() ? 0 : 1);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return Outcome::failed;
    if (WEXITSTATUS(status) == kUnavailable)
        return Outcome::unavailable;
    return WEXITSTATUS(status) == 0 ? Outcome::passed : Outcome::failed;
}

} // namespace

Outcome CheckReadOnly(const std::string& folder, const std::function<bool()>& check)
{
    return RunInChild([&folder] { return MountReadOnly(folder); }, check);
}

Outcome CheckFull(const std::string& folder, const std::function<bool()>& prepare, const std::function<bool()>& check)
{
    return RunInChild([&folder] { return MountTiny(folder); }, [&] { return prepare() && FillUp(folder) && check(); });
}

} // namespace mounted_folder
