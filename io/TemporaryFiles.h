#pragma once

#include <string>

namespace lw {

// Temporary files that must not outlive the program. Once the handlers are installed, SIGTERM,
// SIGHUP and SIGINT remove every registered file and then end the program as the signal asks;
// a signal the program was started with ignored stays ignored.
void RemoveTemporaryFilesOnTermination();

void RegisterTemporaryFile(const std::string& path);
void ForgetTemporaryFile(const std::string& path);

}  // namespace lw
