#include "media/WaveFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>

namespace vellix {
namespace {

namespace fs = std::filesystem;
using namespace std::literals;
using Bytes = std::vector<std::uint8_t>;

void put16(Bytes& b, unsigned v) { b.insert(b.end(), {std::uint8_t(v), std::uint8_t(v >> 8)}); }
void put32(Bytes& b, std::uint32_t v) { put16(b, v & 0xFFFF), put16(b, v >> 16); }
void chunk(Bytes& b, const char* tag, const Bytes& body, std::uint32_t size) {
    b.insert(b.end(), tag, tag + 4);
    put32(b, size);
    b.insert(b.end(), body.begin(), body.end());
}

struct Format {
    unsigned encoding = 1, channels = 1;
    std::uint32_t rate = 8000;
    unsigned bits = 8;
    int blockAlign = -1;  // -1: the size of a frame
};

Bytes formatBody(const Format& f) {
    const unsigned align = f.blockAlign >= 0 ? unsigned(f.blockAlign) : f.channels * f.bits / 8;
    Bytes b;
    put16(b, f.encoding), put16(b, f.channels), put32(b, f.rate), put32(b, f.rate * align), put16(b, align);
    put16(b, f.bits);
    return b;
}

// A WAV file of `frames` silent frames in format `f`; `claimed` bytes of data in its header if not 0.
Bytes wave(const Format& f, std::size_t frames, std::uint32_t claimed = 0) {
    const Bytes format = formatBody(f), data(frames * f.channels * f.bits / 8, 0x80);
    Bytes b = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
    chunk(b, "fmt ", format, std::uint32_t(format.size()));
    chunk(b, "data", data, claimed != 0 ? claimed : std::uint32_t(data.size()));
    return b;
}

Bytes operator+(Bytes a, const std::string& more) { return a.insert(a.end(), more.begin(), more.end()), a; }

class WaveFile : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(dir_); }
    void TearDown() override { fs::remove_all(dir_); }
    std::string write(const std::string& name, const Bytes& bytes) const {
        std::ofstream(dir_ / name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                            std::streamsize(bytes.size()));
        return (dir_ / name).string();
    }
    const fs::path dir_ = fs::path(::testing::TempDir()) / ("vellix-wave-" + std::to_string(getpid()));
};

TEST_F(WaveFile, AcceptsShortUncompressedSoundsAtAnyUsualRateAndLayout) {
    for (const Format f : {Format{}, Format{1, 2, 44100, 16}, Format{1, 8, 192000, 24}, Format{1, 2, 48000, 32},
                           Format{3, 1, 22050, 32}})
        EXPECT_EQ(checkWave(wave(f, f.rate)), "") << f.channels << " x " << f.bits << " at " << f.rate;
    EXPECT_EQ(checkWave(wave({}, 80000)), "") << "exactly ten seconds";
    Bytes extensible = formatBody({0xFFFE, 2, 44100, 16});
    put16(extensible, 22), put16(extensible, 16), put32(extensible, 3), put16(extensible, 1);  // then PCM's GUID
    extensible.resize(40);
    Bytes b = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
    chunk(b, "LIST", {'x'}, 1), b.push_back(0);  // an odd chunk, padded
    chunk(b, "fmt ", extensible, 40), chunk(b, "data", Bytes(400), 400);
    EXPECT_EQ(checkWave(b), "");

    // As the mixer does, it counts the data the file holds, not the data its header claims.
    EXPECT_EQ(checkWave(wave({}, 8000, 0xFFFFFFFF)), "");
}

// A rate the mixer would convert by a huge factor, a length that would decode to a huge sound, a
// layout it cannot read, or a header that lies about its chunks.
TEST_F(WaveFile, RefusesSoundsTooLongOrTooSlowAndLayoutsThatCannotBeRead) {
    const std::pair<Bytes, std::string> refused[] = {
        {wave({}, 80001), "longer than 10 seconds"},
        {wave({1, 2, 44100, 16}, 441001, 0xFFFFFFF0), "longer than 10 seconds"},
        {wave({.rate = 7999}, 10), "a rate of 7999 Hz, not 8000 to 192000"},
        {wave({.rate = 192001}, 10), "a rate of 192001 Hz, not 8000 to 192000"},
        {wave({.channels = 9}, 10), "9 channels"},
        {wave({.blockAlign = 0}, 10), "a frame size that does not fit its samples"},
        {wave({.bits = 12}, 10), "not uncompressed 8 to 32-bit samples"},
        {wave({.encoding = 2, .bits = 4}, 10), "not uncompressed 8 to 32-bit samples"},
        {Bytes{} + "RIFF\x10\0\0\0WAVEfmt garbage"s, "a format chunk too short"},
        {Bytes{} + "RIFF\x10\0\0\0AVI fmt "s, "not a WAV file"},
        {Bytes{} + "RIFF\0\0\0\0WAVEdata\0\0\0\0"s, "sound data before its format"},
        {Bytes{} + "RIFF\0\0\0\0WAVELIST\xff\xff\xff\xff"s, "no format chunk"},
        {Bytes{}, "not a WAV file"},
    };
    for (const auto& [bytes, why] : refused) EXPECT_EQ(checkWave(bytes), why);
    Bytes noData = wave({}, 0);
    noData.resize(noData.size() - 8);
    EXPECT_EQ(checkWave(noData), "no sound data");
}

// A regular file is read whole, and refused if it will not play or is larger than the largest
// read; what a package manager, a mod or a mistake may leave in a sound's place instead is refused
// at once, never read from.
TEST_F(WaveFile, ReadsARegularFileWholeAndRefusesAnyOtherWithoutReadingOrWaiting) {
    const Bytes sound = wave({1, 2, 44100, 16}, 1000);
    EXPECT_EQ(readWaveFile(write("sound.wav", sound)).bytes, sound);
    const SmallFile slow = readWaveFile(write("slow.wav", wave({.rate = 1}, 1 << 20)));
    EXPECT_EQ(std::pair(slow.bytes.size(), slow.refusal), std::pair(std::size_t(0), std::string("a rate of 1 Hz, not 8000 to 192000")));
    const std::string larger = write("larger.wav", sound);
    fs::resize_file(larger, kMaxWaveFileBytes + 1);
    EXPECT_EQ(readWaveFile(larger).refusal, "larger than 4194304 bytes");

    fs::create_symlink("/dev/zero", dir_ / "zero.wav");
    fs::create_directory(dir_ / "folder.wav");
    EXPECT_EQ(readWaveFile((dir_ / "zero.wav").string()).refusal, "not a regular file");
    EXPECT_EQ(readWaveFile((dir_ / "folder.wav").string()).refusal, "not a regular file");
    EXPECT_EQ(readWaveFile((dir_ / "missing.wav").string()).refusal, "cannot be opened: No such file or directory");

    // A FIFO with no writer. Should the read wait on it, a writer comes after a while and lets it go.
    const std::string fifo = (dir_ / "fifo.wav").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    auto reading = std::async(std::launch::async, [&] { return readWaveFile(fifo).refusal; });
    const bool waited = reading.wait_for(5s) != std::future_status::ready;
    if (waited) std::ofstream{fifo};
    EXPECT_FALSE(waited) << "waited on a FIFO";
    EXPECT_EQ(reading.get(), "not a regular file");
}

}  // namespace
}  // namespace vellix
