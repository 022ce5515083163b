// The scores file as the game loads it at start-up, then its display rows.
#include "FuzzInput.h"
#include "score/Score.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    PutInput(CScore::kPath, data, size);
    CScore score;
    score.Load();
    using Row = void (CScore::*)(int, CScore::DisplayName&, int32_t&, int32_t&) const;
    for (Row row : {&CScore::SetMenuEasy, &CScore::SetMenuNormal, &CScore::SetMenuHard})
        for (int i = 0; i < CScore::kRows; ++i) {
            CScore::DisplayName name;
            int32_t points = 0, level = 0;
            (score.*row)(i, name, points, level);
        }
    return 0;
}
