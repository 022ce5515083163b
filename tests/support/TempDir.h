#pragma once
#include <string>

// Runs a test in a fresh working directory of its own, removed afterwards.
class TempDir {
public:
    TempDir();
    // In the folder base instead of the system's temporary folder.
    explicit TempDir(const std::string& base);
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return m_path; }
    static std::string Read(const std::string& file);
    static void Write(const std::string& file, const std::string& content);
    static bool Exists(const std::string& file);
    // A folder in memory where there is one, where syncing a file costs
    // nothing; else the system's temporary folder.
    static std::string MemoryBase();

private:
    std::string m_path;
    std::string m_previous;
};
