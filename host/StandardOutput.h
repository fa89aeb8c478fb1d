#pragma once
// Whether what a command wrote reached standard output: a report cut short by a full disk is a
// failure, whatever the command itself made of its work.

#include <optional>
#include <string>

// Flushes standard output; why it could not be written, or nothing when all of it was.
std::optional<std::string> StandardOutputFailure();
