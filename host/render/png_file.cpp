// PNG output of rendered images.
#include <cstdio>
#include <vector>
#include "render/scene_render.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include <stb_image_write.h>
#pragma GCC diagnostic pop

namespace {

void appendBytes(void* context, void* data, int size) {
    auto* bytes = static_cast<std::vector<unsigned char>*>(context);
    auto* p = static_cast<unsigned char*>(data);
    bytes->insert(bytes->end(), p, p + size);
}

}  // namespace

bool writePng(const Framebuffer& image, const std::string& path, std::string& error) {
    std::vector<uint8_t> rgb = image.rgbBytes();
    std::vector<unsigned char> png;
    if (!stbi_write_png_to_func(appendBytes, &png, image.width(), image.height(), 3, rgb.data(),
                                image.width() * 3)) {
        error = "cannot encode the image";
        return false;
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        error = "cannot open " + path + " for writing";
        return false;
    }
    bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
    bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        error = "cannot write " + path;
        std::remove(path.c_str());
        return false;
    }
    return true;
}
