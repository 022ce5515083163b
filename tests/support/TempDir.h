#pragma once
#include <string>

// Runs a test in a fresh working directory of its own, removed afterwards.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return m_path; }
    static std::string Read(const std::string& file);
    static void Write(const std::string& file, const std::string& content);
    static bool Exists(const std::string& file);

private:
    std::string m_path;
    std::string m_previous;
};
