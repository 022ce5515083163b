#include "Pictures.h"

#include "PicturesThemes.h"

namespace art {

std::vector<texture_file::Record> GamePictures()
{
    std::vector<texture_file::Record> pictures;
    for (auto theme : {PiecePictures, SymbolPictures, ScreenPictures})
        for (auto& record : theme())
            pictures.push_back(std::move(record));
    return pictures;
}

} // namespace art
