#pragma once

#include <chrono>
#include <optional>
#include <string_view>

namespace pollwick {

// How long a RIFF/WAVE file plays, read from the start of the file (its
// "fmt " and "data" chunk headers); nothing when the bytes do not describe
// one. Bounds the wait for a sound to finish, so that an audio system that
// never reports the end cannot keep the window waiting.
std::optional<std::chrono::milliseconds> waveDuration(std::string_view fileStart);

} // namespace pollwick
