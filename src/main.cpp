#include "app/VexorinApp.h"
#include "platform/Messages.h"
#include "platform/Process.h"

#include <cstdio>

int main(int, char** argv)
{
    platform::SetApplicationName(argv[0]);
    auto events = platform::MakeSdlEventSource();
    platform::SetEventSource(events.get());
    CVexorinApp app;
    int status = app.InitInstance() ? app.Run() : (app.ExitInstance(), 1);
    if (status != 0)
        std::fprintf(stderr, "Vexorin could not start; applog.txt in its folder says how far it got.\n");
    platform::SetEventSource(nullptr);
    platform::ShutdownPlatform();
    return status;
}
