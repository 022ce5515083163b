#pragma once
#include <ostream>
#include <string>
#include <vector>

// The asset tool's commands, callable in-process. Returns the exit status:
// 0 done, 1 failed (one line on err says why), 2 a usage error.
int RunAssets(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
