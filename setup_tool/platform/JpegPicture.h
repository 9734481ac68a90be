#pragma once
#include "Handles.h"

#include <cstddef>

// Decodes a JPEG picture held in memory into a 24-bit device-independent bitmap of its own size.
// Raises Exception when the data are no picture libjpeg can read.
UniqueBitmap DecodeJpeg(const unsigned char* data, std::size_t size);

// A picture stored among the program's resources as raw data (RCDATA).
UniqueBitmap LoadJpegResource(HINSTANCE instance, const char* name);
