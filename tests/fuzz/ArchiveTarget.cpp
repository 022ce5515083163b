// The archive's values and strings, in the order the input's own bytes pick.
#include "FuzzInput.h"
#include "platform/File.h"
#include "render/Archive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    PutInput("archive", data, size);
    platform::File file;
    if (!file.Open("archive", platform::File::modeRead))
        return 0;
    CArchive ar(file, CArchive::load);
    try {
        for (;;) {
            uint8_t kind = 0;
            ar >> kind;
            uint16_t word = 0;
            int32_t value = 0;
            std::string text;
            char raw[8];
            switch (kind % 5) {
            case 0: ar >> word; break;
            case 1: ar >> value; break;
            case 2: ar >> text; break;
            case 3: ar.Read(raw, kind % sizeof raw); break;
            default: ar >> kind; break;
            }
        }
    } catch (const CArchiveException&) {
    }
    ar.Close();
    return 0;
}
