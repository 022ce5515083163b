#include "app/AppLog.h"
#include "platform/File.h"
#include "platform/Process.h"

#include <cstdio>

namespace {
const char kLogFile[] = "applog.txt";
}

CAppLog::CAppLog()
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::string created = CreationText(local);

    platform::File file;
    platform::FileError error;
    if (!file.Open(kLogFile, platform::File::modeWrite, &error)) {
        platform::ReportFileError(error, kLogFile);
        platform::File fresh;
        fresh.Open(kLogFile, platform::File::modeCreate | platform::File::modeReadWrite);
        fresh.Close();
        if (!file.Open(kLogFile, platform::File::modeWrite, &error)) {
            platform::ReportFileError(error, kLogFile);
            return;
        }
    }
    file.SetLength(0);
    file.SeekToBegin();
    file.WriteString(platform::ApplicationName() + " Log\n" + created + "\n\n");
}

std::string CAppLog::CreationText(const std::tm& local)
{
    static const char* const kMonths[] = {
        "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    char text[64];
    std::snprintf(text, sizeof text, "Log Created: %02d:%02d %s %02d, %d", local.tm_hour, local.tm_min,
        kMonths[local.tm_mon % 12], local.tm_mday, local.tm_year + 1900);
    return text;
}

void CAppLog::report(const char* message)
{
    platform::File file;
    platform::FileError error;
    if (!file.Open(kLogFile, platform::File::modeWrite, &error)) {
        platform::ReportFileError(error, kLogFile);
        return;
    }
    file.SeekToEnd();
    file.WriteString(std::string("\n") + message);
}
