// The staged pictures against the picture list, and the GIF writer
// against GdkPixbuf's own loader.
#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "../../tools/pictures/drawings.h"
#include "../../tools/pictures/gif_encoder.h"

namespace {

struct listed_picture {
    std::string folder;
    std::string file;
    int width;
    int height;
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

// A picture as RGBA bytes without row padding.
struct rgba_picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bytes;

    const std::uint8_t* at(int x, int y) const { return &bytes[(static_cast<std::size_t>(y) * width + x) * 4]; }
};

rgba_picture from_pixbuf(GdkPixbuf* pixbuf)
{
    rgba_picture picture;
    GdkPixbuf* with_alpha = gdk_pixbuf_add_alpha(pixbuf, FALSE, 0, 0, 0);
    picture.width = gdk_pixbuf_get_width(with_alpha);
    picture.height = gdk_pixbuf_get_height(with_alpha);
    const int stride = gdk_pixbuf_get_rowstride(with_alpha);
    const guchar* data = gdk_pixbuf_read_pixels(with_alpha);
    for (int y = 0; y < picture.height; ++y)
        picture.bytes.insert(picture.bytes.end(), data + static_cast<std::size_t>(y) * stride,
                             data + static_cast<std::size_t>(y) * stride + picture.width * 4);
    g_object_unref(with_alpha);
    return picture;
}

// Loads a staged still picture; an empty picture when it does not load.
rgba_picture load_still(const std::string& path, std::string& error)
{
    GError* err = nullptr;
    GdkPixbuf* pixbuf = gdk_pixbuf_new_from_file(path.c_str(), &err);
    if (!pixbuf) {
        error = err ? err->message : "unknown error";
        if (err)
            g_error_free(err);
        return {};
    }
    rgba_picture picture = from_pixbuf(pixbuf);
    g_object_unref(pixbuf);
    return picture;
}

std::size_t differing_pixels(const rgba_picture& a, const rgba_picture& b)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < a.bytes.size(); i += 4)
        if (!std::equal(&a.bytes[i], &a.bytes[i] + 4, &b.bytes[i]))
            ++count;
    return count;
}

// The frames an animation shows at the given times (milliseconds from
// its start).
std::vector<rgba_picture> frames_at(GdkPixbufAnimation* animation, const std::vector<long>& times_ms)
{
    std::vector<rgba_picture> frames;
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    GTimeVal start = {1000, 0};
    GdkPixbufAnimationIter* iter = gdk_pixbuf_animation_get_iter(animation, &start);
    for (long ms : times_ms) {
        GTimeVal now = start;
        now.tv_sec += ms / 1000;
        now.tv_usec += (ms % 1000) * 1000;
        gdk_pixbuf_animation_iter_advance(iter, &now);
        frames.push_back(from_pixbuf(gdk_pixbuf_animation_iter_get_pixbuf(iter)));
    }
    G_GNUC_END_IGNORE_DEPRECATIONS
    g_object_unref(iter);
    return frames;
}

GdkPixbufAnimation* decode_gif(const std::string& bytes, std::string& error)
{
    GError* err = nullptr;
    GdkPixbufLoader* loader = gdk_pixbuf_loader_new_with_type("gif", &err);
    if (loader && gdk_pixbuf_loader_write(loader, reinterpret_cast<const guchar*>(bytes.data()), bytes.size(), &err) &&
        gdk_pixbuf_loader_close(loader, &err)) {
        GdkPixbufAnimation* animation = gdk_pixbuf_loader_get_animation(loader);
        g_object_ref(animation);
        g_object_unref(loader);
        return animation;
    }
    error = err ? err->message : "loader failed";
    if (err)
        g_error_free(err);
    if (loader) {
        gdk_pixbuf_loader_close(loader, nullptr);
        g_object_unref(loader);
    }
    return nullptr;
}

// Decodes an encoded animation and returns each of its frames, played at
// the middle of each frame's time.
std::vector<rgba_picture> round_trip(const pictures::gif_animation& source)
{
    std::string error;
    GdkPixbufAnimation* animation = decode_gif(pictures::encode_gif(source), error);
    if (!animation) {
        ADD_FAILURE() << "GdkPixbuf cannot read the GIF: " << error;
        return {};
    }
    std::vector<long> times;
    for (std::size_t i = 0; i < source.frames.size(); ++i)
        times.push_back(static_cast<long>(i) * source.delay_cs * 10 + source.delay_cs * 5);
    std::vector<rgba_picture> frames = frames_at(animation, times);
    g_object_unref(animation);
    return frames;
}

void expect_same_colours(const pictures::gif_animation& source, const std::vector<rgba_picture>& decoded,
                         int tolerance = 0)
{
    ASSERT_EQ(decoded.size(), source.frames.size());
    for (std::size_t f = 0; f < decoded.size(); ++f) {
        ASSERT_EQ(decoded[f].width, source.width);
        ASSERT_EQ(decoded[f].height, source.height);
        int worst = 0;
        for (int y = 0; y < source.height; ++y)
            for (int x = 0; x < source.width; ++x) {
                std::uint32_t want = source.frames[f][static_cast<std::size_t>(y) * source.width + x];
                const std::uint8_t* got = decoded[f].at(x, y);
                worst = std::max({worst, std::abs(got[0] - static_cast<int>((want >> 16) & 0xff)),
                                  std::abs(got[1] - static_cast<int>((want >> 8) & 0xff)),
                                  std::abs(got[2] - static_cast<int>(want & 0xff))});
            }
        EXPECT_LE(worst, tolerance) << "frame " << f;
    }
}

// A strict reader of the writer's GIFs, stricter than GdkPixbuf (which
// stops once it has all the pixels): every frame's code stream must end
// with the end code, read at the width a decoder has reached, right after
// the last pixel. Returns the frames as colours; records why it failed.
struct strict_gif {
    int width = 0, height = 0, delay_cs = -1, loops = -1;
    std::vector<std::vector<std::uint32_t>> frames;
    std::string error;
};

strict_gif read_strictly(const std::string& gif)
{
    strict_gif out;
    std::size_t at = 0;
    auto byte = [&]() -> int { return at < gif.size() ? static_cast<unsigned char>(gif[at++]) : -1; };
    auto u16 = [&] { int lo = byte(), hi = byte(); return lo | hi << 8; };
    auto fail = [&](const std::string& why) { out.error = why + " at byte " + std::to_string(at); return out; };
    auto blocks = [&] {
        std::string data;
        for (int length = byte(); length > 0; length = byte())
            for (int i = 0; i < length; ++i)
                data.push_back(static_cast<char>(byte()));
        return data;
    };

    if (gif.compare(0, 6, "GIF89a") != 0)
        return fail("no GIF89a header");
    at = 6;
    out.width = u16();
    out.height = u16();
    int flags = byte();
    byte();
    byte();
    if (!(flags & 0x80))
        return fail("no global colour table");
    std::vector<std::uint32_t> palette;
    for (int i = 0; i < (2 << (flags & 7)); ++i) {
        int r = byte(), g = byte(), b = byte();
        palette.push_back(static_cast<std::uint32_t>(r << 16 | g << 8 | b));
    }
    for (;;) {
        int kind = byte();
        if (kind == 0x3b)
            break;
        if (kind == 0x21) {
            int label = byte();
            if (label == 0xff) {
                std::string data = blocks();
                if (data.size() == 14 && data.compare(0, 11, "NETSCAPE2.0") == 0)
                    out.loops = static_cast<unsigned char>(data[12]) | static_cast<unsigned char>(data[13]) << 8;
            } else if (label == 0xf9) {
                std::string data = blocks();
                if (data.size() != 4)
                    return fail("bad graphic control block");
                out.delay_cs = static_cast<unsigned char>(data[1]) | static_cast<unsigned char>(data[2]) << 8;
            } else {
                blocks();
            }
            continue;
        }
        if (kind != 0x2c)
            return fail("unknown block");
        int left = u16(), top = u16(), w = u16(), h = u16();
        if (left != 0 || top != 0 || w != out.width || h != out.height || byte() != 0)
            return fail("frame does not cover the canvas plainly");
        const int min_code_size = byte();
        const std::string data = blocks();
        const unsigned clear = 1u << min_code_size, end = clear + 1;
        std::vector<std::vector<std::uint8_t>> table;
        auto reset = [&] {
            table.assign(clear + 2, {});
            for (unsigned i = 0; i < clear; ++i)
                table[i] = {static_cast<std::uint8_t>(i)};
        };
        reset();
        int code_size = min_code_size + 1;
        std::size_t bit = 0;
        auto read_code = [&]() -> long {
            if (bit + code_size > data.size() * 8)
                return -1;
            long code = 0;
            for (int i = 0; i < code_size; ++i, ++bit)
                code |= static_cast<long>((static_cast<unsigned char>(data[bit / 8]) >> (bit % 8)) & 1) << i;
            return code;
        };
        std::vector<std::uint32_t> frame;
        const std::size_t pixels = static_cast<std::size_t>(w) * h;
        std::vector<std::uint8_t> previous;
        if (read_code() != static_cast<long>(clear))
            return fail("code stream does not start with a clear code");
        bool ended = false;
        while (!ended) {
            long code = read_code();
            if (code < 0)
                return fail("code stream ends without an end code");
            if (code == static_cast<long>(clear)) {
                reset();
                code_size = min_code_size + 1;
                previous.clear();
                continue;
            }
            if (code == static_cast<long>(end)) {
                ended = true;
                break;
            }
            std::vector<std::uint8_t> entry;
            if (static_cast<std::size_t>(code) < table.size() && !(code > static_cast<long>(end) && table[code].empty()))
                entry = table[code];
            else if (static_cast<std::size_t>(code) == table.size() && !previous.empty()) {
                entry = previous;
                entry.push_back(previous[0]);
            } else
                return fail("code " + std::to_string(code) + " not in the table");
            if (!previous.empty() && table.size() < 4096) {
                std::vector<std::uint8_t> added = previous;
                added.push_back(entry[0]);
                table.push_back(added);
            }
            for (std::uint8_t index : entry)
                frame.push_back(palette.at(index));
            if (frame.size() > pixels)
                return fail("more pixels than the frame holds");
            previous = entry;
            if (table.size() >= (1u << code_size) && code_size < 12)
                ++code_size;
        }
        if (frame.size() != pixels)
            return fail("end code before the last pixel");
        if ((bit + 7) / 8 != data.size())
            return fail("data left after the end code");
        out.frames.push_back(std::move(frame));
    }
    return out;
}

// ---------------------------------------------------------------------------
// The list itself.

TEST(PictureList, NamesAreUniqueWithTheRightExtension)
{
    std::set<std::string> seen;
    for (const auto& p : picture_list()) {
        EXPECT_TRUE(p.folder == "image" || p.folder == "splash") << p.file;
        EXPECT_TRUE(seen.insert(p.folder + "/" + p.file).second) << "listed twice: " << p.file;
        const std::string extension = p.frames > 1 ? ".gif" : ".png";
        ASSERT_GT(p.file.size(), extension.size());
        EXPECT_EQ(p.file.substr(p.file.size() - extension.size()), extension) << p.file;
    }
}

TEST(PictureList, NumberAtTheEndOfANameIsTheSize)
{
    int sized = 0;
    for (const auto& p : picture_list()) {
        std::string stem = p.file.substr(0, p.file.rfind('.'));
        std::size_t underscore = stem.rfind('_');
        if (underscore == std::string::npos)
            continue;
        std::string number = stem.substr(underscore + 1);
        if (number.empty() || !std::all_of(number.begin(), number.end(), [](unsigned char c) { return std::isdigit(c); }))
            continue;
        ++sized;
        EXPECT_EQ(p.width, std::stoi(number)) << p.file;
        EXPECT_EQ(p.height, std::stoi(number)) << p.file;
    }
    EXPECT_GT(sized, 20);
}

TEST(PictureList, HoldsTheLetterTilesAndTheBasketSeries)
{
    std::map<std::string, const listed_picture*> by_name;
    for (const auto& p : picture_list())
        by_name[p.file] = &p;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        std::string name = std::string(1, letter) + ".png";
        ASSERT_TRUE(by_name.count(name)) << name;
        EXPECT_EQ(by_name[name]->width, 32);
        EXPECT_EQ(by_name[name]->height, 32);
    }
    int cylinders = 0;
    for (const auto& p : picture_list())
        if (p.file.rfind("cyl", 0) == 0)
            ++cylinders;
    EXPECT_EQ(cylinders, pictures::basket_frames);
    for (int i = 0; i < pictures::basket_frames; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "cyl%02d.png", i);
        EXPECT_TRUE(by_name.count(name)) << name;
    }
}

// ---------------------------------------------------------------------------
// The staged files.

TEST(StagedPictures, EveryStillLoadsWithItsListedSize)
{
    for (const auto& p : picture_list()) {
        if (p.frames > 1)
            continue;
        std::string error;
        rgba_picture picture = load_still(staged(p.folder, p.file), error);
        ASSERT_FALSE(picture.bytes.empty()) << p.file << ": " << error;
        EXPECT_EQ(picture.width, p.width) << p.file;
        EXPECT_EQ(picture.height, p.height) << p.file;
    }
}

TEST(StagedPictures, EveryStillShowsSomething)
{
    for (const auto& p : picture_list()) {
        if (p.frames > 1)
            continue;
        std::string error;
        rgba_picture picture = load_still(staged(p.folder, p.file), error);
        ASSERT_FALSE(picture.bytes.empty()) << p.file << ": " << error;
        std::size_t visible = 0;
        std::set<std::uint32_t> values;
        for (std::size_t i = 0; i < picture.bytes.size(); i += 4) {
            if (picture.bytes[i + 3] >= 128)
                ++visible;
            values.insert(static_cast<std::uint32_t>(picture.bytes[i]) << 24 | picture.bytes[i + 1] << 16 |
                          picture.bytes[i + 2] << 8 | picture.bytes[i + 3]);
        }
        const std::size_t area = static_cast<std::size_t>(picture.width) * picture.height;
        EXPECT_GE(visible * 20, area) << p.file << " is nearly empty";
        // A shape has edges or several colours; a failed drawing is one flat patch.
        EXPECT_GT(values.size(), 2u) << p.file << " is a flat patch";
    }
}

TEST(StagedPictures, ScreenSizedPicturesAreOpaque)
{
    int screens = 0;
    for (const auto& p : picture_list()) {
        if (p.frames > 1 || p.width < 640)
            continue;
        ++screens;
        std::string error;
        rgba_picture picture = load_still(staged(p.folder, p.file), error);
        ASSERT_FALSE(picture.bytes.empty()) << p.file << ": " << error;
        std::size_t see_through = 0;
        for (std::size_t i = 3; i < picture.bytes.size(); i += 4)
            if (picture.bytes[i] != 255)
                ++see_through;
        EXPECT_EQ(see_through, 0u) << p.file;
    }
    EXPECT_GE(screens, 5);
}

TEST(StagedPictures, NoTwoPicturesOfTheSameSizeLookAlike)
{
    std::map<std::pair<int, int>, std::vector<std::pair<std::string, rgba_picture>>> by_size;
    for (const auto& p : picture_list()) {
        if (p.frames > 1)
            continue;
        std::string error;
        rgba_picture picture = load_still(staged(p.folder, p.file), error);
        ASSERT_FALSE(picture.bytes.empty()) << p.file << ": " << error;
        by_size[{p.width, p.height}].emplace_back(p.file, std::move(picture));
    }
    for (const auto& [size, group] : by_size)
        for (std::size_t i = 0; i < group.size(); ++i)
            for (std::size_t j = i + 1; j < group.size(); ++j) {
                std::size_t area = static_cast<std::size_t>(size.first) * size.second;
                // At least 2 % of the pixels differ.
                EXPECT_GE(differing_pixels(group[i].second, group[j].second) * 50, area)
                    << group[i].first << " and " << group[j].first << " look the same";
            }
}

enum class hue { none, red, amber, green, blue };

// The strongest colour family among a picture's opaque, saturated pixels.
hue dominant_hue(const rgba_picture& picture)
{
    std::map<hue, int> counts;
    for (std::size_t i = 0; i < picture.bytes.size(); i += 4) {
        int r = picture.bytes[i], g = picture.bytes[i + 1], b = picture.bytes[i + 2];
        if (picture.bytes[i + 3] < 200)
            continue;
        int high = std::max({r, g, b}), low = std::min({r, g, b});
        if (high - low < 80)
            continue;  // white, grey, black
        if (high == r)
            ++counts[g > 120 ? hue::amber : hue::red];
        else if (high == g)
            ++counts[hue::green];
        else
            ++counts[hue::blue];
    }
    hue best = hue::none;
    int most = 0;
    for (const auto& [h, count] : counts)
        if (count > most) {
            best = h;
            most = count;
        }
    return best;
}

// Share of near-white pixels in the top half, minus the bottom half.
long white_in_top_minus_bottom(const rgba_picture& picture)
{
    long balance = 0;
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            const std::uint8_t* p = picture.at(x, y);
            if (p[3] > 200 && p[0] > 200 && p[1] > 200 && p[2] > 200)
                balance += y < picture.height / 2 ? 1 : (y >= (picture.height + 1) / 2 ? -1 : 0);
        }
    return balance;
}

TEST(StagedPictures, ColourSaysWhatTheIconMeans)
{
    const std::pair<const char*, hue> expected[] = {
        {"icon_yes.png", hue::green},           {"icon_no.png", hue::red},
        {"icon_close_32.png", hue::red},        {"icon_play_32.png", hue::green},
        {"icon_stop_32.png", hue::red},         {"icon_pause_32.png", hue::amber},
        {"icon_io_on_32.png", hue::green},      {"icon_io_off_32.png", hue::none},
        {"tlp_chem_on.png", hue::green},        {"tlp_chem_off.png", hue::red},
        {"tlp_chem_off_clear.png", hue::none},  {"icon_move_up_active_32.png", hue::green},
        {"icon_move_up_off_32.png", hue::none}, {"icon_socket_on_32.png", hue::green},
        {"icon_run_48.png", hue::green},        {"icon_cancel_48.png", hue::red},
        {"icon_signal_on.png", hue::amber},     {"icon_manual_32.png", hue::amber},
        {"icon_dash_h2o_cold_on.png", hue::blue},
    };
    for (const auto& [file, want] : expected) {
        std::string error;
        rgba_picture picture = load_still(staged("image", file), error);
        ASSERT_FALSE(picture.bytes.empty()) << file << ": " << error;
        EXPECT_EQ(static_cast<int>(dominant_hue(picture)), static_cast<int>(want)) << file;
    }
}

TEST(StagedPictures, ArrowsPointTheWayTheirNamesSay)
{
    const std::pair<const char*, bool> expected[] = {
        {"icon_move_up_active_32.png", true},    {"icon_move_up_off_32.png", true},
        {"icon_move_down_active_32.png", false}, {"icon_move_down_off_32.png", false},
        {"icon_page_up_48.png", true},           {"icon_page_down_48.png", false},
        {"icon_shift_32.png", true},
    };
    for (const auto& [file, up] : expected) {
        std::string error;
        rgba_picture picture = load_still(staged("image", file), error);
        ASSERT_FALSE(picture.bytes.empty()) << file << ": " << error;
        long balance = white_in_top_minus_bottom(picture);
        if (up)
            EXPECT_GT(balance, 0) << file;
        else
            EXPECT_LT(balance, 0) << file;
    }
}

TEST(StagedPictures, LetterTilesHaveLightLettersOnADarkTile)
{
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        std::string file = std::string(1, letter) + ".png";
        std::string error;
        rgba_picture picture = load_still(staged("image", file), error);
        ASSERT_FALSE(picture.bytes.empty()) << file << ": " << error;
        // Inside the tile's rim: letter pixels are light, the rest dark.
        int light = 0, dark = 0;
        for (int y = 5; y < 27; ++y)
            for (int x = 5; x < 27; ++x) {
                const std::uint8_t* p = picture.at(x, y);
                int brightness = p[0] + p[1] + p[2];
                if (p[3] == 255 && brightness > 600)
                    ++light;
                else if (p[3] == 255 && brightness < 300)
                    ++dark;
            }
        EXPECT_GT(light, 22 * 22 / 12) << file << ": letter too thin or missing";
        EXPECT_GT(dark, light) << file << ": letter does not stand on the tile";
    }
}

TEST(StagedPictures, LetterTilesAreStagedForEveryLetter)
{
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        std::string file = std::string(1, letter) + ".png";
        std::string error;
        rgba_picture picture = load_still(staged("image", file), error);
        ASSERT_FALSE(picture.bytes.empty()) << file << ": " << error;
        EXPECT_EQ(picture.width, 32) << file;
        EXPECT_EQ(picture.height, 32) << file;
    }
}

TEST(StagedPictures, BasketSeriesLoopsWithoutAJump)
{
    std::vector<rgba_picture> frames;
    for (int i = 0; i < pictures::basket_frames; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "cyl%02d.png", i);
        std::string error;
        frames.push_back(load_still(staged("image", name), error));
        ASSERT_FALSE(frames.back().bytes.empty()) << name << ": " << error;
    }
    std::vector<std::size_t> steps;
    for (std::size_t i = 0; i < frames.size(); ++i)
        steps.push_back(differing_pixels(frames[i], frames[(i + 1) % frames.size()]));
    const std::size_t smallest = *std::min_element(steps.begin(), steps.end());
    const std::size_t largest = *std::max_element(steps.begin(), steps.end());
    EXPECT_GT(smallest, 0u) << "two frames in a row are the same";
    // The step from the last frame back to the first is like every other.
    EXPECT_LE(largest, smallest * 3 / 2) << "the series jumps when it wraps";
}

TEST(StagedPictures, WaitAnimationPlaysInALoop)
{
    for (const auto& p : picture_list()) {
        if (p.frames <= 1)
            continue;
        GError* err = nullptr;
        GdkPixbufAnimation* animation = gdk_pixbuf_animation_new_from_file(staged(p.folder, p.file).c_str(), &err);
        ASSERT_NE(animation, nullptr) << p.file << ": " << (err ? err->message : "");
        EXPECT_FALSE(gdk_pixbuf_animation_is_static_image(animation)) << p.file;
        EXPECT_EQ(gdk_pixbuf_animation_get_width(animation), p.width);
        EXPECT_EQ(gdk_pixbuf_animation_get_height(animation), p.height);

        const long frame_ms = p.delay_cs * 10L;
        std::vector<long> times;
        for (int i = 0; i < p.frames; ++i)
            times.push_back(i * frame_ms + frame_ms / 2);
        // Three rounds later it shows the first frame again.
        times.push_back(3L * p.frames * frame_ms + frame_ms / 2);
        std::vector<rgba_picture> frames = frames_at(animation, times);
        g_object_unref(animation);

        for (int i = 0; i < p.frames; ++i)
            for (int j = i + 1; j < p.frames; ++j)
                EXPECT_GT(differing_pixels(frames[i], frames[j]), 0u) << p.file << " frames " << i << " and " << j;
        EXPECT_EQ(differing_pixels(frames.front(), frames.back()), 0u) << p.file << " does not loop";
    }
}

TEST(StagedPictures, WaitAnimationIsASpinnerOnBlack)
{
    GError* err = nullptr;
    GdkPixbufAnimation* animation = gdk_pixbuf_animation_new_from_file(staged("image", "loading.gif").c_str(), &err);
    ASSERT_NE(animation, nullptr) << (err ? err->message : "");
    std::vector<rgba_picture> frames = frames_at(animation, {0});
    g_object_unref(animation);
    const rgba_picture& first = frames.front();
    ASSERT_EQ(first.width, 64);
    for (auto [x, y] : {std::pair{0, 0}, std::pair{63, 0}, std::pair{0, 63}, std::pair{63, 63}, std::pair{32, 32}}) {
        const std::uint8_t* pixel = first.at(x, y);
        EXPECT_EQ(pixel[0] + pixel[1] + pixel[2], 0) << "at " << x << "," << y;
    }
    std::size_t bright = 0;
    for (std::size_t i = 0; i < first.bytes.size(); i += 4)
        if (first.bytes[i] + first.bytes[i + 1] + first.bytes[i + 2] > 300)
            ++bright;
    EXPECT_GT(bright, 40u);
    EXPECT_GE(pictures::spinner_frames, 8);
    EXPECT_LE(pictures::spinner_frames, 12);
}

// ---------------------------------------------------------------------------
// The GIF writer.

pictures::gif_animation noise(int width, int height, int frames, int colours, unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<std::uint32_t> palette;
    for (int i = 0; i < colours; ++i)
        palette.push_back(random() & 0xffffff);
    pictures::gif_animation animation;
    animation.width = width;
    animation.height = height;
    animation.delay_cs = 10;
    for (int f = 0; f < frames; ++f) {
        std::vector<std::uint32_t> frame;
        for (int i = 0; i < width * height; ++i)
            frame.push_back(palette[random() % palette.size()]);
        animation.frames.push_back(frame);
    }
    return animation;
}

TEST(GifWriter, StrictReaderGetsEveryPixelBackAndTheEndCodeInPlace)
{
    for (int pixels = 1; pixels < 600; ++pixels) {
        auto source = noise(pixels, 1, 2, 5, static_cast<unsigned>(pixels));
        strict_gif read = read_strictly(pictures::encode_gif(source));
        ASSERT_EQ(read.error, "") << pixels << " pixels";
        ASSERT_EQ(read.frames, source.frames) << pixels << " pixels";
    }
    auto large = noise(120, 90, 2, 256, 9);
    strict_gif read = read_strictly(pictures::encode_gif(large));
    ASSERT_EQ(read.error, "");
    EXPECT_EQ(read.frames, large.frames);
}

TEST(GifWriter, LoopsForEverWithTheGivenDelay)
{
    auto source = noise(16, 16, 3, 6, 21);
    source.delay_cs = 7;
    strict_gif read = read_strictly(pictures::encode_gif(source));
    ASSERT_EQ(read.error, "");
    EXPECT_EQ(read.loops, 0);
    EXPECT_EQ(read.delay_cs, 7);

    std::string error;
    GdkPixbufAnimation* animation = decode_gif(pictures::encode_gif(source), error);
    ASSERT_NE(animation, nullptr) << error;
    // Ten rounds on, the frames come round in the same order.
    std::vector<rgba_picture> frames = frames_at(animation, {35, 105, 175, 2135, 2205, 2275});
    g_object_unref(animation);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(differing_pixels(frames[i], frames[i + 3]), 0u) << "frame " << i;
        EXPECT_GT(differing_pixels(frames[i], frames[(i + 1) % 3]), 0u) << "frame " << i;
    }
}

TEST(GifWriter, NoiseWithAFullPaletteSurvivesTableResets)
{
    // About one code per pixel: the code table fills and restarts.
    auto source = noise(97, 83, 3, 256, 7);
    expect_same_colours(source, round_trip(source));
}

TEST(GifWriter, TwoColoursUseTheSmallestCodes)
{
    auto source = noise(31, 17, 2, 2, 11);
    expect_same_colours(source, round_trip(source));
}

TEST(GifWriter, LongRunsOfOneColourBuildLongStrings)
{
    pictures::gif_animation source;
    source.width = 300;
    source.height = 200;
    source.delay_cs = 10;
    std::vector<std::uint32_t> frame(300 * 200, 0x204060);
    for (int x = 0; x < 300; ++x)
        frame[static_cast<std::size_t>(100) * 300 + x] = 0xffcc00;
    source.frames = {frame, std::vector<std::uint32_t>(300 * 200, 0x00ff00)};
    expect_same_colours(source, round_trip(source));
}

TEST(GifWriter, EveryCodeWidthBoundaryDecodes)
{
    // Images of growing size end at every point of the code-width steps,
    // including just after a width change, where the end code is easiest
    // to get wrong.
    for (int pixels = 1; pixels < 600; ++pixels) {
        auto source = noise(pixels, 1, 2, 5, static_cast<unsigned>(pixels));
        auto decoded = round_trip(source);
        ASSERT_FALSE(HasFailure()) << pixels << " pixels";
        expect_same_colours(source, decoded);
        ASSERT_FALSE(HasFailure()) << pixels << " pixels";
    }
}

TEST(GifWriter, MoreThan256ColoursComeOutClose)
{
    // 150 colours, each also present one step brighter: 300 colours that
    // fall into 150 palette cells.
    std::mt19937 random(3);
    pictures::gif_animation source;
    source.width = 60;
    source.height = 50;
    source.delay_cs = 10;
    std::vector<std::uint32_t> bases;
    for (int i = 0; i < 150; ++i)
        bases.push_back(random() & 0xf8f8f8);
    std::vector<std::uint32_t> frame;
    for (int i = 0; i < 3000; ++i)
        frame.push_back(bases[i % 150] + (i / 150 % 2 ? 0x010101 : 0));
    source.frames = {frame};
    std::set<std::uint32_t> distinct(frame.begin(), frame.end());
    ASSERT_GT(distinct.size(), 256u);
    expect_same_colours(source, round_trip(source), 1);
}

TEST(GifWriter, KeepsTheFrameDelay)
{
    auto source = noise(8, 8, 2, 4, 5);
    source.delay_cs = 25;
    std::string error;
    GdkPixbufAnimation* animation = decode_gif(pictures::encode_gif(source), error);
    ASSERT_NE(animation, nullptr) << error;
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    GTimeVal start = {1000, 0};
    GdkPixbufAnimationIter* iter = gdk_pixbuf_animation_get_iter(animation, &start);
    G_GNUC_END_IGNORE_DEPRECATIONS
    EXPECT_EQ(gdk_pixbuf_animation_iter_get_delay_time(iter), 250);
    g_object_unref(iter);
    g_object_unref(animation);
}

TEST(GifWriter, RejectsFramesOfTheWrongSize)
{
    pictures::gif_animation source;
    source.width = 4;
    source.height = 4;
    source.frames = {std::vector<std::uint32_t>(16, 0), std::vector<std::uint32_t>(15, 0)};
    EXPECT_THROW(pictures::encode_gif(source), std::invalid_argument);
    source.frames.clear();
    EXPECT_THROW(pictures::encode_gif(source), std::invalid_argument);
    source.frames = {std::vector<std::uint32_t>(16, 0)};
    source.width = 0;
    EXPECT_THROW(pictures::encode_gif(source), std::invalid_argument);
}

}  // namespace
