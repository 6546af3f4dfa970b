// make_pictures <image dir> <splash dir>
// Draws every picture of picture_list.h into the two folders: PNG files,
// and GIF files for the animations. Exits with 1 after naming each file
// that could not be drawn or written.
#include <cairo.h>
#include <png.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "drawings.h"
#include "gif_encoder.h"

namespace pictures {
namespace {

enum class folder { image, splash };

struct picture {
    folder where;
    const char* file;
    int width;
    int height;
    drawing draw;
    int variant;  // for an animation: its number of frames
    int delay_cs; // 0 for a still picture
};

const picture all_pictures[] = {
#define LUMEX_PICTURE(where, file, width, height, draw, variant) \
    {folder::where, file, width, height, draw, variant, 0},
#define LUMEX_ANIMATION(where, file, width, height, draw, frames, delay_cs) \
    {folder::where, file, width, height, draw, frames, delay_cs},
#include "picture_list.h"
#undef LUMEX_PICTURE
#undef LUMEX_ANIMATION
};

// Paints one picture (or frame) into a new surface; null on a cairo error.
cairo_surface_t* paint(const picture& p, int variant, std::string& error)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, p.width, p.height);
    cairo_t* cr = cairo_create(surface);
    p.draw(cr, p.width, p.height, variant);
    cairo_status_t status = cairo_status(cr);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    if (status == CAIRO_STATUS_SUCCESS)
        status = cairo_surface_status(surface);
    if (status != CAIRO_STATUS_SUCCESS) {
        error = cairo_status_to_string(status);
        cairo_surface_destroy(surface);
        return nullptr;
    }
    return surface;
}

// Frames are drawn on an opaque background, so only the colour is kept.
std::vector<std::uint32_t> colours_of(cairo_surface_t* surface)
{
    int width = cairo_image_surface_get_width(surface);
    int height = cairo_image_surface_get_height(surface);
    int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    std::vector<std::uint32_t> pixels;
    pixels.reserve(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::size_t>(y) * stride);
        for (int x = 0; x < width; ++x)
            pixels.push_back(row[x] & 0xffffff);
    }
    return pixels;
}

// The rows of a surface as PNG rows: RGB when every pixel is opaque,
// otherwise RGBA with the colours no longer premultiplied.
std::vector<unsigned char> png_rows(cairo_surface_t* surface, bool& opaque)
{
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const auto pixel = [&](int x, int y) {
        return reinterpret_cast<const std::uint32_t*>(data + static_cast<std::size_t>(y) * stride)[x];
    };
    opaque = true;
    for (int y = 0; y < height && opaque; ++y)
        for (int x = 0; x < width && opaque; ++x)
            opaque = (pixel(x, y) >> 24) == 0xff;
    std::vector<unsigned char> rows;
    rows.reserve(static_cast<std::size_t>(width) * height * (opaque ? 3 : 4));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t argb = pixel(x, y);
            const unsigned alpha = argb >> 24;
            for (int shift : {16, 8, 0}) {
                const unsigned c = (argb >> shift) & 0xff;
                rows.push_back(static_cast<unsigned char>(alpha == 0 ? 0 : (c * 255 + alpha / 2) / alpha));
            }
            if (!opaque)
                rows.push_back(static_cast<unsigned char>(alpha));
        }
    }
    return rows;
}

// libpng reports an error by a long jump back here: nothing changes after
// the jump point but what libpng owns.
bool write_png_rows(FILE* file, const unsigned char* rows, int width, int height, bool opaque)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png)) != 0) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 opaque ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    // Without row filters and fully compressed: smaller than with filters
    // for these flat drawings, and about three times quicker to decode (the
    // console decodes two 800x480 splash pictures at every start).
    png_set_filter(png, 0, PNG_FILTER_NONE);
    png_set_compression_level(png, 9);
    png_write_info(png, info);
    const std::size_t row_bytes = static_cast<std::size_t>(width) * (opaque ? 3 : 4);
    for (int y = 0; y < height; ++y)
        png_write_row(png, rows + static_cast<std::size_t>(y) * row_bytes);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

bool write_png(cairo_surface_t* surface, const std::string& path, std::string& error)
{
    bool opaque = true;
    const std::vector<unsigned char> rows = png_rows(surface, opaque);
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        error = "cannot create the file";
        return false;
    }
    bool written = write_png_rows(file, rows.data(), cairo_image_surface_get_width(surface),
                                  cairo_image_surface_get_height(surface), opaque);
    if (std::fclose(file) != 0)
        written = false;
    if (!written)
        error = "write error";
    return written;
}

bool write_still(const picture& p, const std::string& path, std::string& error)
{
    cairo_surface_t* surface = paint(p, p.variant, error);
    if (!surface)
        return false;
    const bool written = write_png(surface, path, error);
    cairo_surface_destroy(surface);
    return written;
}

bool write_animation(const picture& p, const std::string& path, std::string& error)
{
    gif_animation animation;
    animation.width = p.width;
    animation.height = p.height;
    animation.delay_cs = p.delay_cs;
    for (int frame = 0; frame < p.variant; ++frame) {
        cairo_surface_t* surface = paint(p, frame, error);
        if (!surface)
            return false;
        animation.frames.push_back(colours_of(surface));
        cairo_surface_destroy(surface);
    }
    std::string bytes;
    try {
        bytes = encode_gif(animation);
    } catch (const std::exception& e) {
        error = e.what();
        return false;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        error = "write error";
        return false;
    }
    return true;
}

}  // namespace
}  // namespace pictures

int main(int argc, char** argv)
{
    using namespace pictures;
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_pictures <image dir> <splash dir>\n");
        return 2;
    }
    const std::string image_dir = argv[1];
    const std::string splash_dir = argv[2];
    int failures = 0;
    for (const picture& p : all_pictures) {
        std::string path = (p.where == folder::image ? image_dir : splash_dir) + "/" + p.file;
        std::string error;
        bool ok = p.delay_cs > 0 ? write_animation(p, path, error) : write_still(p, path, error);
        if (!ok) {
            std::fprintf(stderr, "make_pictures: cannot write %s: %s\n", path.c_str(), error.c_str());
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
