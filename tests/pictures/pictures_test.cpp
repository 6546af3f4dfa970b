// The staged pictures against the picture list, and the GIF writer
// against GdkPixbuf's own loader.
#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <set>
#include <utility>
#include <string>
#include <vector>

#include "../../tools/pictures/drawings.h"
#include "../../tools/pictures/gif_encoder.h"

namespace {

struct listed_picture {
    std::string folder, file;
    int width, height;
    int frames;    // 1 for a still picture
    int delay_cs;  // 0 for a still picture
};

const std::vector<listed_picture>& picture_list()
{
    using namespace pictures;
    static const std::vector<listed_picture> all = {
#define LUMEX_PICTURE(folder, file, width, height, draw, variant) {#folder, file, width, height, 1, 0},
#define LUMEX_ANIMATION(folder, file, width, height, draw, frames, delay_cs) \
    {#folder, file, width, height, frames, delay_cs},
#include "../../tools/pictures/picture_list.h"
#undef LUMEX_PICTURE
#undef LUMEX_ANIMATION
    };
    return all;
}

std::string staged(const std::string& folder, const std::string& file)
{
    return std::string(LUMEX_STAGE_DIR) + "/" + folder + "/" + file;
}

// A picture's pixels as 0xRRGGBBAA, row by row.
using pixel_list = std::vector<std::uint32_t>;

pixel_list pixels_of(GdkPixbuf* pixbuf)
{
    pixel_list out;
    GdkPixbuf* with_alpha = gdk_pixbuf_add_alpha(pixbuf, FALSE, 0, 0, 0);
    const guchar* data = gdk_pixbuf_read_pixels(with_alpha);
    for (int y = 0; y < gdk_pixbuf_get_height(with_alpha); ++y)
        for (int x = 0; x < gdk_pixbuf_get_width(with_alpha); ++x) {
            const guchar* p = data + static_cast<std::size_t>(y) * gdk_pixbuf_get_rowstride(with_alpha) + x * 4;
            out.push_back(std::uint32_t(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3]);
        }
    g_object_unref(with_alpha);
    return out;
}

// The frames an animation shows at the given times (ms from its start).
std::vector<pixel_list> frames_at(GdkPixbufAnimation* animation, const std::vector<long>& times_ms)
{
    std::vector<pixel_list> frames;
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    GTimeVal start = {1000, 0};
    GdkPixbufAnimationIter* iter = gdk_pixbuf_animation_get_iter(animation, &start);
    for (long ms : times_ms) {
        GTimeVal now = {start.tv_sec + ms / 1000, (ms % 1000) * 1000};
        gdk_pixbuf_animation_iter_advance(iter, &now);
        frames.push_back(pixels_of(gdk_pixbuf_animation_iter_get_pixbuf(iter)));
    }
    G_GNUC_END_IGNORE_DEPRECATIONS
    g_object_unref(iter);
    return frames;
}

TEST(StagedPictures, EveryStillLoadsAtItsListedSizeAndTheWaitAnimationLoopsDistinctFrames)
{
    for (const auto& p : picture_list()) {
        if (p.frames > 1)
            continue;
        GError* error = nullptr;
        GdkPixbuf* pixbuf = gdk_pixbuf_new_from_file(staged(p.folder, p.file).c_str(), &error);
        ASSERT_NE(pixbuf, nullptr) << p.file << ": " << (error ? error->message : "");
        EXPECT_EQ(gdk_pixbuf_get_width(pixbuf), p.width) << p.file;
        EXPECT_EQ(gdk_pixbuf_get_height(pixbuf), p.height) << p.file;
        const pixel_list picture = pixels_of(pixbuf);
        g_object_unref(pixbuf);
        const auto visible =
            std::count_if(picture.begin(), picture.end(), [](std::uint32_t px) { return (px & 0xff) >= 128; });
        EXPECT_GE(visible * 20, static_cast<long>(picture.size())) << p.file << " is nearly empty";
        // A failed drawing is one flat patch.
        EXPECT_GT(std::set<std::uint32_t>(picture.begin(), picture.end()).size(), 2u) << p.file;
    }

    const auto p = std::find_if(picture_list().begin(), picture_list().end(),
                                [](const listed_picture& p) { return p.file == "loading.gif"; });
    ASSERT_NE(p, picture_list().end());
    GError* error = nullptr;
    GdkPixbufAnimation* animation = gdk_pixbuf_animation_new_from_file(staged(p->folder, p->file).c_str(), &error);
    ASSERT_NE(animation, nullptr) << (error ? error->message : "");
    EXPECT_FALSE(gdk_pixbuf_animation_is_static_image(animation));
    EXPECT_EQ(gdk_pixbuf_animation_get_width(animation), p->width);
    EXPECT_EQ(gdk_pixbuf_animation_get_height(animation), p->height);
    const int frames = p->frames;
    ASSERT_GE(frames, 4);
    std::vector<long> times;
    for (int i = 0; i <= frames; ++i)  // the middle of each frame, then of the first again
        times.push_back(p->delay_cs * 10L * i + p->delay_cs * 5L);
    const std::vector<pixel_list> shown = frames_at(animation, times);
    g_object_unref(animation);
    for (int i = 0; i < frames; ++i)
        for (int j = i + 1; j < frames; ++j)
            EXPECT_NE(shown[i], shown[j]) << "frames " << i << " and " << j;
    EXPECT_EQ(shown.front(), shown.back()) << "does not loop";
}

TEST(GifWriter, GdkPixbufReadsBackEveryPixelAtEachCodeWidthStepAndTableReset)
{
    std::mt19937 random(7);
    // (pixels, colours): images ending at every point of the code-width
    // steps, then about one code a pixel, where the code table fills and
    // starts again.
    std::vector<std::pair<int, int>> cases;
    for (int pixels = 1; pixels < 600; ++pixels)
        cases.emplace_back(pixels, 5);
    cases.emplace_back(97 * 83, 256);
    for (const auto& [pixels, colours] : cases) {
        std::vector<std::uint32_t> palette(colours);
        for (std::uint32_t& colour : palette)
            colour = random() & 0xffffff;
        pictures::gif_animation source;
        source.width = pixels;
        source.height = 1;
        source.frames.emplace_back();
        for (int i = 0; i < pixels; ++i)
            source.frames[0].push_back(palette[random() % palette.size()]);
        const std::string bytes = pictures::encode_gif(source);
        GdkPixbufLoader* loader = gdk_pixbuf_loader_new_with_type("gif", nullptr);
        gdk_pixbuf_loader_write(loader, reinterpret_cast<const guchar*>(bytes.data()), bytes.size(), nullptr);
        gdk_pixbuf_loader_close(loader, nullptr);
        GdkPixbuf* pixbuf = gdk_pixbuf_loader_get_pixbuf(loader);
        pixel_list read_back = pixbuf ? pixels_of(pixbuf) : pixel_list();
        g_object_unref(loader);
        for (std::uint32_t& pixel : read_back)
            pixel >>= 8;
        ASSERT_EQ(read_back, source.frames[0]) << pixels << " pixels, " << colours << " colours";
    }
}

}  // namespace
