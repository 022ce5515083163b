#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

namespace platform {

class File;

enum class FileError {
    none,
    generic,
    fileNotFound,
    badPath,
    tooManyOpenFiles,
    accessDenied,
    invalidFile,
    removeCurrentDir,
    directoryFull,
    badSeek,
    hardIO,
    sharingViolation,
    lockViolation,
    diskFull,
    endOfFile,
};

// The player-facing text for a cause, with the file name in place of %1.
std::string FileErrorMessage(FileError cause, const std::string& fileName);
FileError FileErrorFromErrno(int error);
// The cause of a call that has just failed: errno's, and never none.
FileError FailureCause();
// Shows the file error in an OK message box captioned like the game's others.
void ReportFileError(FileError cause, const std::string& fileName);

// The path as it exists on disk of a game file name (in the folder it belongs
// in, see GameFolders.h) or any other path, matching each component without
// regard to case when the exact name is not there; unmatched components stay
// as given.
std::string ResolvePath(const std::string& name);
bool RemoveFile(const std::string& path);
// Puts 'from' in place of 'to' in one step, replacing it, and syncs the folder
// so that the change survives a crash.
bool RenameFile(const std::string& from, const std::string& to, FileError* error = nullptr);
// Writes a new version of path beside it, syncs it and renames it into place,
// so a crash or a full disk leaves the old file or the new one, never a part
// of either. 'write' fills the new file and returns its failure's cause;
// 'beforeRename', when given, runs once the new file is safely on the disk.
// On failure the old file is untouched, the new one removed and the cause kept.
FileError ReplaceFile(const std::string& path, const std::function<FileError(File&)>& write,
    const std::function<FileError()>& beforeRename = nullptr);

class File {
public:
    enum Mode : unsigned {
        modeRead = 0x0,
        modeWrite = 0x1,
        modeReadWrite = 0x2,
        modeCreate = 0x1000, // create, truncating an existing file
    };

    File() = default;
    ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    bool Open(const std::string& path, unsigned mode, FileError* error = nullptr);
    void Close();
    bool IsOpen() const { return m_file != nullptr; }

    size_t Read(void* buffer, size_t count);
    bool Write(const void* buffer, size_t count);
    bool WriteString(const std::string& text);
    // Hands what is written to the system; false when it refused it (a full disk).
    bool Flush();
    // Flushes, then waits until the bytes are on the disk itself.
    bool Sync();
    // Reads one line without its line end (LF or CRLF); keeps at most
    // maxLength characters of an over-long line. False at the end of the file.
    bool ReadLine(std::string& line, size_t maxLength = 4096);
    bool Seek(int64_t offset); // from the start of the file
    bool SeekToBegin();
    bool SeekToEnd();
    int64_t Length();
    bool SetLength(int64_t length);

private:
    std::FILE* m_file = nullptr;
};

} // namespace platform
