// A PNG file read back from disk, with its pixels, for tests of rendered pictures.
#pragma once
#include <memory>
#include <string>
#include "render/framebuffer.h"

class PngImage {
public:
    explicit PngImage(const std::string& path);
    bool loaded() const { return pixels_ != nullptr; }
    int width() const { return width_; }
    int height() const { return height_; }
    Rgb at(IPoint2 p) const {
        const unsigned char* px = pixels_.get() + (static_cast<size_t>(p.y) * width_ + p.x) * 3;
        return {px[0], px[1], px[2]};
    }

private:
    int width_ = 0, height_ = 0, channels_ = 0;
    std::unique_ptr<unsigned char, void (*)(void*)> pixels_;
};
