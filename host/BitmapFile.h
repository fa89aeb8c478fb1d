#pragma once
// A bitmap resource holds a device-independent bitmap without the file header that a .bmp file
// starts with, so image viewers refuse the bare bytes. This puts the header back.

#include <cstdint>
#include <span>
#include <vector>

// The 14-byte file header, then `dib` unchanged. The header's pixel-data offset counts the
// bitmap's own header, its colour masks and its palette. Raises EResourceError when `dib` is too
// short or its header is of no known kind.
std::vector<uint8_t> BitmapFileOf(std::span<const uint8_t> dib);
