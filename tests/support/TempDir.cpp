#include "TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

TempDir::TempDir()
    : TempDir(std::filesystem::temp_directory_path().string())
{
}

TempDir::TempDir(const std::string& base)
{
    std::string pattern = (std::filesystem::path(base) / "vexorin-test-XXXXXX").string();
    m_path = ::mkdtemp(pattern.data());
    m_previous = std::filesystem::current_path().string();
    std::filesystem::current_path(m_path);
}

TempDir::~TempDir()
{
    std::filesystem::current_path(m_previous);
    std::error_code ignored;
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(m_path, ignored);
}

std::string TempDir::Read(const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

void TempDir::Write(const std::string& file, const std::string& content)
{
    std::filesystem::path p(file);
    if (p.has_parent_path())
        std::filesystem::create_directories(p.parent_path());
    std::ofstream(file, std::ios::binary) << content;
}

bool TempDir::Exists(const std::string& file) { return std::filesystem::exists(file); }

std::string TempDir::MemoryBase()
{
    std::error_code error;
    return std::filesystem::is_directory("/dev/shm", error) && ::access("/dev/shm", W_OK) == 0
        ? "/dev/shm"
        : std::filesystem::temp_directory_path().string();
}
