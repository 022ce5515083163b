#pragma once
#include "AssetsCommand.h"

#include <sstream>
#include <string>
#include <vector>

// What one vexorin-assets command line gave, run in-process.
struct Result {
    int status;
    std::string out, err;
};

inline Result Assets(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    const int status = RunAssets(args, out, err);
    return {status, out.str(), err.str()};
}
