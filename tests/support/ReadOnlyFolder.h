#pragma once
#include <functional>
#include <string>

// Runs check in a child process in which folder is read-only for everyone,
// root included: a read-only bind mount in user and mount namespaces of the
// child's own. The child ends with _exit, so no destructor runs twice.
namespace read_only_folder {

enum class Outcome { passed, failed, unavailable };

// unavailable when the system lets no process make such namespaces.
Outcome CheckIn(const std::string& folder, const std::function<bool()>& check);

} // namespace read_only_folder
