#include <spng.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "tools/images/ImageFiles.h"

namespace vellix {

namespace {

using Context = std::unique_ptr<spng_ctx, decltype(&spng_ctx_free)>;

void check(int error, const char* what) {
    if (error != 0) throw ImageFileError(std::string(what) + ": " + spng_strerror(error));
}

constexpr std::uint8_t kColourRgb = 2;
constexpr std::uint8_t kColourRgba = 6;

}  // namespace

std::vector<std::uint8_t> encodePng(const Picture& picture, bool withAlpha) {
    const std::size_t channels = withAlpha ? 4 : 3;
    std::vector<std::uint8_t> rows;
    rows.reserve(picture.pixels().size() * channels);
    for (const Pixel p : picture.pixels()) {
        rows.insert(rows.end(), {std::uint8_t(p >> 16), std::uint8_t(p >> 8), std::uint8_t(p)});
        if (withAlpha) rows.push_back(std::uint8_t(p >> 24));
    }
    const Context png(spng_ctx_new(SPNG_CTX_ENCODER), spng_ctx_free);
    if (!png) throw ImageFileError("cannot start a PNG encoder");
    check(spng_set_option(png.get(), SPNG_ENCODE_TO_BUFFER, 1), "PNG encoder");
    spng_ihdr header{std::uint32_t(picture.pixelWidth()), std::uint32_t(picture.pixelHeight()), 8,
                     withAlpha ? kColourRgba : kColourRgb, 0, 0, 0};
    check(spng_set_ihdr(png.get(), &header), "PNG header");
    check(spng_encode_image(png.get(), rows.data(), rows.size(), SPNG_FMT_PNG, SPNG_ENCODE_FINALIZE), "PNG encoding");
    int error = 0;
    std::size_t size = 0;
    const std::unique_ptr<void, decltype(&std::free)> buffer(spng_get_png_buffer(png.get(), &size, &error), std::free);
    check(error, "PNG encoding");
    const auto* bytes = static_cast<const std::uint8_t*>(buffer.get());
    return {bytes, bytes + size};
}

Picture decodePng(std::span<const std::uint8_t> file, bool withAlpha) {
    const Context png(spng_ctx_new(0), spng_ctx_free);
    if (!png) throw ImageFileError("cannot start a PNG decoder");
    check(spng_set_png_buffer(png.get(), file.data(), file.size()), "PNG file");
    spng_ihdr header{};
    check(spng_get_ihdr(png.get(), &header), "PNG file");
    std::size_t size = 0;
    check(spng_decoded_image_size(png.get(), SPNG_FMT_RGBA8, &size), "PNG file");
    std::vector<std::uint8_t> rgba(size);
    check(spng_decode_image(png.get(), rgba.data(), rgba.size(), SPNG_FMT_RGBA8, SPNG_DECODE_TRNS), "PNG decoding");
    Picture picture(int(header.width), int(header.height));
    std::size_t at = 0;
    for (int y = 0; y < picture.pixelHeight(); ++y)
        for (int x = 0; x < picture.pixelWidth(); ++x, at += 4)
            picture.at(x, y) = (withAlpha ? Pixel(rgba[at + 3]) << 24 : 0) | rgb(rgba[at], rgba[at + 1], rgba[at + 2]);
    return picture;
}

}  // namespace vellix
