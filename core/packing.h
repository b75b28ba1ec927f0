#pragma once
// Lossless packing of bytes: an adaptive range coder that predicts each byte from the one
// before it, so that streams which repeat a few short patterns (counts, small steps) take
// a fraction of their size. Unpacking is given the size the bytes had; bytes that were not
// packed this way, or were cut, come back as nothing rather than as something else.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

std::string Pack(std::string_view bytes);
// The `size` bytes packed into `packed`, or nothing when `packed` runs out before they are
// all there (a damaged or foreign stream also fails most of the time, and never reads or
// writes beyond its bounds).
std::optional<std::string> Unpack(std::string_view packed, std::size_t size);
