// A small GIF89a writer for the console's animations (the wait dialog's
// spinner). GdkPixbuf plays animated GIFs directly in a GtkImage, so this
// is all an animation needs. Header only, so the tests can round-trip it
// through GdkPixbuf's own loader.
//
// One global palette for all frames (up to 256 colours; more are reduced
// to the 256 most used colour cells), full-size frames, a fixed delay and
// an endless loop.
#pragma once
#include <algorithm>
#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

namespace pictures {

struct gif_animation {
    int width = 0;
    int height = 0;
    int delay_cs = 10;  // hundredths of a second per frame
    // Pixels as 0xRRGGBB, row by row, width * height per frame.
    std::vector<std::vector<std::uint32_t>> frames;
};

namespace gif_detail {

inline void put_u16(std::string& out, unsigned value)
{
    out.push_back(static_cast<char>(value & 0xff));
    out.push_back(static_cast<char>((value >> 8) & 0xff));
}

inline int colour_distance(std::uint32_t a, std::uint32_t b)
{
    int dr = static_cast<int>((a >> 16) & 0xff) - static_cast<int>((b >> 16) & 0xff);
    int dg = static_cast<int>((a >> 8) & 0xff) - static_cast<int>((b >> 8) & 0xff);
    int db = static_cast<int>(a & 0xff) - static_cast<int>(b & 0xff);
    return dr * dr + dg * dg + db * db;
}

// The palette and each pixel's index in it. Exact when the frames use at
// most 256 colours; otherwise colours are grouped in 5-bit-per-channel
// cells, the 256 busiest cells become the palette (their mean colour) and
// every pixel takes its nearest entry.
struct indexed_frames {
    std::vector<std::uint32_t> palette;
    std::vector<std::vector<std::uint8_t>> frames;
};

inline indexed_frames index_colours(const std::vector<std::vector<std::uint32_t>>& frames)
{
    indexed_frames result;
    std::map<std::uint32_t, std::size_t> counts;
    for (const auto& frame : frames)
        for (std::uint32_t pixel : frame)
            ++counts[pixel & 0xffffff];

    if (counts.size() > 256) {
        struct cell { std::size_t count = 0; double r = 0, g = 0, b = 0; };
        std::map<std::uint32_t, cell> cells;
        for (const auto& [colour, count] : counts) {
            std::uint32_t key = ((colour >> 19) & 0x1f) << 10 | ((colour >> 11) & 0x1f) << 5 | ((colour >> 3) & 0x1f);
            cell& c = cells[key];
            c.count += count;
            c.r += static_cast<double>((colour >> 16) & 0xff) * count;
            c.g += static_cast<double>((colour >> 8) & 0xff) * count;
            c.b += static_cast<double>(colour & 0xff) * count;
        }
        std::vector<cell> busiest;
        for (const auto& entry : cells)
            busiest.push_back(entry.second);
        std::stable_sort(busiest.begin(), busiest.end(),
                         [](const cell& a, const cell& b) { return a.count > b.count; });
        busiest.resize(std::min<std::size_t>(busiest.size(), 256));
        for (const cell& c : busiest) {
            auto mean = [&](double sum) { return static_cast<std::uint32_t>(sum / c.count + 0.5); };
            result.palette.push_back(mean(c.r) << 16 | mean(c.g) << 8 | mean(c.b));
        }
    } else {
        for (const auto& entry : counts)
            result.palette.push_back(entry.first);
    }

    std::unordered_map<std::uint32_t, std::uint8_t> lookup;
    for (const auto& entry : counts) {
        std::size_t best = 0;
        int best_distance = colour_distance(entry.first, result.palette[0]);
        for (std::size_t i = 1; i < result.palette.size() && best_distance > 0; ++i) {
            int d = colour_distance(entry.first, result.palette[i]);
            if (d < best_distance) {
                best = i;
                best_distance = d;
            }
        }
        lookup[entry.first] = static_cast<std::uint8_t>(best);
    }
    for (const auto& frame : frames) {
        std::vector<std::uint8_t> indices;
        indices.reserve(frame.size());
        for (std::uint32_t pixel : frame)
            indices.push_back(lookup[pixel & 0xffffff]);
        result.frames.push_back(std::move(indices));
    }
    return result;
}

// Packs variable-width codes least significant bit first.
class code_packer {
public:
    void put(unsigned code, int bits)
    {
        buffer_ |= static_cast<std::uint32_t>(code) << used_;
        used_ += bits;
        while (used_ >= 8) {
            bytes_.push_back(static_cast<char>(buffer_ & 0xff));
            buffer_ >>= 8;
            used_ -= 8;
        }
    }
    std::string finish()
    {
        if (used_ > 0)
            bytes_.push_back(static_cast<char>(buffer_ & 0xff));
        buffer_ = 0;
        used_ = 0;
        return std::move(bytes_);
    }

private:
    std::uint32_t buffer_ = 0;
    int used_ = 0;
    std::string bytes_;
};

// GIF's LZW: codes grow from min_code_size + 1 bits up to 12; when the
// table is full a clear code starts it afresh. The decoder adds its table
// entries one code later than the encoder, which is why the code size
// grows once the next free code is past the current limit.
inline std::string lzw_encode(const std::vector<std::uint8_t>& indices, int min_code_size)
{
    const unsigned clear = 1u << min_code_size;
    const unsigned end = clear + 1;
    code_packer out;
    std::unordered_map<std::uint32_t, unsigned> table;
    unsigned next = end + 1;
    int code_size = min_code_size + 1;

    auto restart = [&] {
        table.clear();
        next = end + 1;
        code_size = min_code_size + 1;
    };
    out.put(clear, code_size);
    if (indices.empty()) {
        out.put(end, code_size);
        return out.finish();
    }
    unsigned prefix = indices[0];
    for (std::size_t i = 1; i < indices.size(); ++i) {
        std::uint8_t k = indices[i];
        std::uint32_t key = prefix << 8 | k;
        auto found = table.find(key);
        if (found != table.end()) {
            prefix = found->second;
            continue;
        }
        out.put(prefix, code_size);
        table.emplace(key, next++);
        if (next > (1u << code_size) && code_size < 12)
            ++code_size;
        if (next >= 4096) {
            out.put(clear, code_size);
            restart();
        }
        prefix = k;
    }
    out.put(prefix, code_size);
    // The decoder adds one more entry on reading that last code.
    if (next + 1 > (1u << code_size) && code_size < 12)
        ++code_size;
    out.put(end, code_size);
    return out.finish();
}

}  // namespace gif_detail

inline std::string encode_gif(const gif_animation& animation)
{
    using namespace gif_detail;
    if (animation.width <= 0 || animation.height <= 0 || animation.width > 0xffff ||
        animation.height > 0xffff)
        throw std::invalid_argument("GIF size out of range");
    if (animation.frames.empty())
        throw std::invalid_argument("GIF without frames");
    const std::size_t pixels = static_cast<std::size_t>(animation.width) * animation.height;
    for (const auto& frame : animation.frames)
        if (frame.size() != pixels)
            throw std::invalid_argument("GIF frame of the wrong size");
    if (animation.delay_cs < 0 || animation.delay_cs > 0xffff)
        throw std::invalid_argument("GIF delay out of range");

    indexed_frames indexed = index_colours(animation.frames);
    int table_bits = 1;
    while ((1u << table_bits) < indexed.palette.size())
        ++table_bits;
    const int min_code_size = std::max(2, table_bits);

    std::string out = "GIF89a";
    put_u16(out, static_cast<unsigned>(animation.width));
    put_u16(out, static_cast<unsigned>(animation.height));
    // Global colour table present, 8-bit colour resolution, its size.
    out.push_back(static_cast<char>(0x80 | 0x70 | (table_bits - 1)));
    out.push_back(0);  // background colour index
    out.push_back(0);  // square pixels
    for (std::size_t i = 0; i < (1u << table_bits); ++i) {
        std::uint32_t colour = i < indexed.palette.size() ? indexed.palette[i] : 0;
        out.push_back(static_cast<char>((colour >> 16) & 0xff));
        out.push_back(static_cast<char>((colour >> 8) & 0xff));
        out.push_back(static_cast<char>(colour & 0xff));
    }
    // Loop for ever.
    out += std::string("\x21\xff\x0b" "NETSCAPE2.0" "\x03\x01", 16);
    put_u16(out, 0);
    out.push_back(0);

    for (const auto& frame : indexed.frames) {
        // Graphic control: leave the frame in place, no transparency, the delay.
        out += std::string("\x21\xf9\x04\x04", 4);
        put_u16(out, static_cast<unsigned>(animation.delay_cs));
        out.push_back(0);
        out.push_back(0);
        // Image descriptor: whole canvas, no local table, not interlaced.
        out.push_back(0x2c);
        put_u16(out, 0);
        put_u16(out, 0);
        put_u16(out, static_cast<unsigned>(animation.width));
        put_u16(out, static_cast<unsigned>(animation.height));
        out.push_back(0);
        out.push_back(static_cast<char>(min_code_size));
        std::string data = lzw_encode(frame, min_code_size);
        for (std::size_t at = 0; at < data.size(); at += 255) {
            std::size_t length = std::min<std::size_t>(255, data.size() - at);
            out.push_back(static_cast<char>(length));
            out.append(data, at, length);
        }
        out.push_back(0);
    }
    out.push_back(0x3b);
    return out;
}

}  // namespace pictures
