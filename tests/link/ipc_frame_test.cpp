// The frame decoder: whole frames out of any split of the byte stream,
// and every kind of bad input dropped with its fault named.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/ipc_frame.h"

namespace {
struct decoded {
    std::vector<std::pair<int, std::vector<unsigned char>>> frames;
    std::vector<int> faults;
    ipc_frame_decoder decoder{
        [this](uint8_t kind, const unsigned char* payload, size_t size) {
            frames.push_back({kind, std::vector<unsigned char>(payload, payload + size)});
        },
        [this](ipc_frame_fault fault) { faults.push_back(fault); }};
    void feed(const std::vector<unsigned char>& bytes) { decoder.feed(bytes.data(), bytes.size()); }
};

std::vector<unsigned char> frame(int kind, size_t size, unsigned char fill)
{
    std::vector<unsigned char> payload(size, fill);
    return func_encode_ipc_frame(static_cast<uint8_t>(kind), payload.data(), payload.size());
}

std::vector<unsigned char> joined(std::initializer_list<std::vector<unsigned char>> parts)
{
    std::vector<unsigned char> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

TEST(ipc_frame, frames_come_whole_however_the_stream_is_cut_and_after_bad_ones)
{
    const std::vector<unsigned char> stream =
        joined({frame(IPC_KIND_RUN, IPC_RUN_RECORD_SIZE, 1), frame(IPC_KIND_SPRAY_DOWN, 3, 2),
                frame(IPC_KIND_MACHINE_MESSAGE, 12, 'a'), frame(IPC_KIND_ANALOGS, IPC_ANALOGS_SIZE, 3)});
    for (size_t piece : {size_t(1), size_t(2), size_t(3), size_t(5), size_t(240), stream.size()}) {
        decoded out;
        for (size_t at = 0; at < stream.size(); at += piece)
            out.decoder.feed(stream.data() + at, std::min(piece, stream.size() - at));
        ASSERT_EQ(4u, out.frames.size()) << "pieces of " << piece;
        EXPECT_EQ(IPC_KIND_RUN, out.frames[0].first);
        EXPECT_EQ(std::vector<unsigned char>(IPC_RUN_RECORD_SIZE, 1), out.frames[0].second);
        EXPECT_EQ(std::vector<unsigned char>(3, 2), out.frames[1].second);
        EXPECT_EQ(12u, out.frames[2].second.size());
        EXPECT_EQ(IPC_KIND_ANALOGS, out.frames[3].first);
        EXPECT_TRUE(out.faults.empty());
        EXPECT_EQ(0u, out.decoder.held());
    }

    decoded out;
    const std::vector<unsigned char> garbage = {0x00, 0x7F, 0xFF, 0x10};
    // A run record one byte short, a length beyond any record, a message with no text.
    out.feed(joined({garbage, frame(IPC_KIND_RUN, IPC_RUN_RECORD_SIZE - 1, 9), {IPC_KIND_RUN, 0xFF, 0xFF},
                     frame(IPC_KIND_MACHINE_MESSAGE, 1, 3), frame(IPC_KIND_VEZ_RECOVERY, 3, 5)}));
    ASSERT_EQ(1u, out.frames.size());
    EXPECT_EQ(IPC_KIND_VEZ_RECOVERY, out.frames[0].first);
    EXPECT_EQ((std::vector<int>{IPC_FAULT_UNKNOWN_KIND, IPC_FAULT_UNKNOWN_KIND, IPC_FAULT_UNKNOWN_KIND,
                                IPC_FAULT_UNKNOWN_KIND, IPC_FAULT_WRONG_LENGTH, IPC_FAULT_TOO_LONG,
                                IPC_FAULT_WRONG_LENGTH}),
              out.faults);
}

}  // namespace
