#pragma once
#include <ctime>
#include <string>

// The start-up log "applog.txt". Every line opens, appends and closes the
// file, so it is complete on disk even if the program dies later.
class CAppLog {
public:
    CAppLog();
    virtual ~CAppLog() = default;

    void report(const char* message);

    // "Log Created: HH:MM Mon DD, YYYY" for the given local time.
    static std::string CreationText(const std::tm& local);
};
