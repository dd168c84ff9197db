#pragma once

#include <cstdint>

namespace pluviane {

// Texture layer for the backdrop picture. Both calls need the view's OpenGL
// context to be current.
//
// Decodes the picture at `path` (JPEG, BMP, PNG and whatever else QImage reads)
// and uploads it as a 2D texture; on success the previous texture named by
// `*handle` is released and `*handle` names the new one. A picture that cannot
// be decoded leaves `*handle` and its texture as they were. `mode` is reserved.
void oglLoadTexture(const char* path, int mode, std::int32_t* handle);

// Makes `handle` the current 2D texture; 0 binds none, so a textured quad is
// drawn in its plain colour.
void oglSetTexture(std::int32_t handle);

} // namespace pluviane
