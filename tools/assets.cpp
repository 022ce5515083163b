// vexorin-assets: makes the game's data and lets players look into and
// change its files.
#include "AssetsCommand.h"

#include <iostream>

int main(int argc, char** argv)
{
    return RunAssets(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
