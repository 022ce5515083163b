#include "platform/File.h"
#include "platform/GameFolders.h"
#include "platform/MessageBox.h"

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform {

std::string FileErrorMessage(FileError cause, const std::string& fileName)
{
    static const char* const kTexts[] = {
        "No error occurred.",
        "An unknown error occurred while accessing %1.",
        "%1 was not found.",
        "%1 contains an invalid path.",
        "%1 could not be opened because there are too many open files.",
        "Access to %1 was denied.",
        "An invalid file handle was associated with %1.",
        "%1 could not be removed because it is the current directory.",
        "%1 could not be created because the directory is full.",
        "Seek failed on %1",
        "A hardware I/O error was reported while accessing %1.",
        "A sharing violation occurred while accessing %1.",
        "A locking violation occurred while accessing %1.",
        "Disk full while accessing %1.",
        "An attempt was made to access %1 past its end.",
    };
    std::string text = kTexts[static_cast<int>(cause)];
    size_t at = text.find("%1");
    if (at != std::string::npos)
        text.replace(at, 2, fileName);
    return text;
}

FileError FileErrorFromErrno(int error)
{
    switch (error) {
    case 0: return FileError::none;
    case ENOENT: return FileError::fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP: return FileError::badPath;
    case EMFILE:
    case ENFILE: return FileError::tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return FileError::accessDenied;
    case EBADF: return FileError::invalidFile;
    case EBUSY: return FileError::sharingViolation;
    case ENOLCK:
    case EDEADLK: return FileError::lockViolation;
    case ENOSPC:
    case EDQUOT: return FileError::diskFull;
    case EIO: return FileError::hardIO;
    case ESPIPE: return FileError::badSeek;
    default: return FileError::generic;
    }
}

FileError FailureCause()
{
    const FileError cause = FileErrorFromErrno(errno);
    return cause == FileError::none ? FileError::generic : cause;
}

void ReportFileError(FileError cause, const std::string& fileName)
{
    MessageBox(FileErrorMessage(cause, fileName), "Vexorin", MB_OK);
}

namespace {

bool Exists(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

std::string MatchInFolder(const std::string& folder, const std::string& name)
{
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return name;
    std::string found = name;
    while (dirent* entry = ::readdir(dir)) {
        if (::strcasecmp(entry->d_name, name.c_str()) == 0) {
            found = entry->d_name;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

} // namespace

std::string ResolvePath(const std::string& name)
{
    const std::string path = LocateGameFile(name);
    if (path.empty() || Exists(path))
        return path;
    std::string resolved = path[0] == '/' ? "/" : "";
    size_t start = path[0] == '/' ? 1 : 0;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        std::string part = path.substr(start, end - start);
        if (!part.empty()) {
            std::string exact = resolved + part;
            resolved = Exists(exact) ? exact : resolved + MatchInFolder(resolved, part);
            if (end < path.size())
                resolved += '/';
        }
        start = end + 1;
    }
    return resolved;
}

bool RemoveFile(const std::string& path) { return ::unlink(ResolvePath(path).c_str()) == 0; }

bool RenameFile(const std::string& from, const std::string& to, FileError* error)
{
    const std::string target = ResolvePath(to);
    errno = 0;
    const bool moved = std::rename(ResolvePath(from).c_str(), target.c_str()) == 0;
    if (error)
        *error = FileErrorFromErrno(moved ? 0 : errno);
    if (!moved)
        return false;
    const size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

namespace {

FileError WriteAndSync(const std::string& path, const std::function<FileError(File&)>& write)
{
    File file;
    FileError cause = FileError::none;
    if (!file.Open(path, File::modeWrite | File::modeCreate, &cause))
        return cause;
    errno = 0;
    cause = write(file);
    if (cause == FileError::none && !file.Sync())
        cause = FailureCause();
    return cause;
}

} // namespace

FileError ReplaceFile(const std::string& path, const std::function<FileError(File&)>& write,
    const std::function<FileError()>& beforeRename)
{
    const std::string temporary = path + ".new";
    FileError cause = WriteAndSync(temporary, write);
    if (cause == FileError::none && beforeRename)
        cause = beforeRename();
    if (cause == FileError::none)
        RenameFile(temporary, path, &cause);
    if (cause != FileError::none)
        RemoveFile(temporary);
    return cause;
}

File::~File() { Close(); }

bool File::Open(const std::string& path, unsigned mode, FileError* error)
{
    Close();
    const char* how = "rb";
    if (mode & modeCreate)
        how = (mode & modeReadWrite) ? "w+b" : "wb";
    else if (mode & modeReadWrite)
        how = "r+b";
    else if (mode & modeWrite)
        how = "r+b"; // write only, never creating: the file must exist
    errno = 0;
    m_file = std::fopen(ResolvePath(path).c_str(), how);
    if (error)
        *error = m_file ? FileError::none : FileErrorFromErrno(errno);
    return m_file != nullptr;
}

void File::Close()
{
    if (m_file)
        std::fclose(m_file);
    m_file = nullptr;
}

size_t File::Read(void* buffer, size_t count) { return m_file ? std::fread(buffer, 1, count, m_file) : 0; }

bool File::Write(const void* buffer, size_t count) { return m_file && std::fwrite(buffer, 1, count, m_file) == count; }

bool File::Flush() { return m_file && std::fflush(m_file) == 0; }

bool File::Sync() { return Flush() && ::fsync(::fileno(m_file)) == 0; }

bool File::WriteString(const std::string& text) { return Write(text.data(), text.size()); }

bool File::ReadLine(std::string& line, size_t maxLength)
{
    line.clear();
    if (!m_file)
        return false;
    int c = std::fgetc(m_file);
    if (c == EOF)
        return false;
    for (; c != EOF && c != '\n'; c = std::fgetc(m_file))
        if (line.size() < maxLength)
            line.push_back(static_cast<char>(c));
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

bool File::Seek(int64_t offset) { return m_file && offset >= 0 && ::fseeko(m_file, offset, SEEK_SET) == 0; }

bool File::SeekToBegin() { return Seek(0); }

bool File::SeekToEnd() { return m_file && std::fseek(m_file, 0, SEEK_END) == 0; }

int64_t File::Length()
{
    if (!m_file)
        return -1;
    std::fflush(m_file);
    struct stat st;
    return ::fstat(::fileno(m_file), &st) == 0 ? static_cast<int64_t>(st.st_size) : -1;
}

bool File::SetLength(int64_t length)
{
    if (!m_file)
        return false;
    std::fflush(m_file);
    return ::ftruncate(::fileno(m_file), static_cast<off_t>(length)) == 0;
}

} // namespace platform
