#pragma once
#include <functional>
#include <string>

// Runs a check in a child process in which a folder is mounted anew, in user
// and mount namespaces of the child's own, so that root gets no way round
// it. The child ends with _exit, so no destructor runs twice.
namespace mounted_folder {

enum class Outcome { passed, failed, unavailable };

// The folder is read-only for everyone. unavailable when the system lets no
// process make such namespaces.
Outcome CheckReadOnly(const std::string& folder, const std::function<bool()>& check);
// The folder is an empty file system of a few pages; prepare writes what the
// check needs into it, then the rest of its room is filled before check runs.
Outcome CheckFull(const std::string& folder, const std::function<bool()>& prepare, const std::function<bool()>& check);

} // namespace mounted_folder
