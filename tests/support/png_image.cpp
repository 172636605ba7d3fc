#define STB_IMAGE_IMPLEMENTATION
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#include <stb_image.h>
#pragma GCC diagnostic pop
#include "png_image.h"

PngImage::PngImage(const std::string& path)
    : pixels_(stbi_load(path.c_str(), &width_, &height_, &channels_, 3), stbi_image_free) {}
