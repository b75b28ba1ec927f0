#pragma once
// Colour surfaces as 8-bit RGB PNG files.

#include "platform/gdi/surface.h"

#include <optional>
#include <string>

namespace replay {

bool WritePng(const std::string& path, const gdi::Surface& surface);
// The picture in a PNG file as a colour surface, or none when it cannot be read.
std::optional<gdi::Surface> ReadPng(const std::string& path);

}  // namespace replay
