#include "InputFile.h"

#include <filesystem>

bool OpenInputFile(const std::string& path, const std::string& kind, platform::File& file, std::string& problem)
{
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) {
        problem = path + " is a folder, not " + kind;
        return false;
    }
    platform::FileError cause = platform::FileError::none;
    if (!file.Open(path, platform::File::modeRead, &cause)) {
        problem = platform::FileErrorMessage(cause, path);
        return false;
    }
    return true;
}
