#include <array>
#include <string_view>

#include "media/ImageFiles.h"

namespace vellix {

namespace {

// Writes bits least significant first, as deflate wants them.
class BitWriter {
public:
    explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}
    void bits(std::uint32_t value, int count) {
        for (int i = 0; i < count; ++i) bit((value >> i) & 1u);
    }
    // Huffman codes go most significant bit first.
    void code(std::uint32_t value, int count) {
        for (int i = count - 1; i >= 0; --i) bit((value >> i) & 1u);
    }
    void flush() {
        if (used_ > 0) out_.push_back(current_);
        used_ = 0;
        current_ = 0;
    }

private:
    void bit(std::uint32_t b) {
        current_ = std::uint8_t(current_ | (b << used_));
        if (++used_ == 8) flush();
    }
    std::vector<std::uint8_t>& out_;
    std::uint8_t current_ = 0;
    int used_ = 0;
};

constexpr std::array<int, 29> kLengthBase = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                             31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<int, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                              2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<int, 30> kDistBase = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
                                           193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<int, 30> kDistExtra = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6,
                                            6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

// A symbol of the fixed literal/length code.
void literalOrLength(BitWriter& w, int symbol) {
    if (symbol < 144) w.code(std::uint32_t(0x30 + symbol), 8);
    else if (symbol < 256) w.code(std::uint32_t(0x190 + symbol - 144), 9);
    else if (symbol < 280) w.code(std::uint32_t(symbol - 256), 7);
    else w.code(std::uint32_t(0xC0 + symbol - 280), 8);
}

void match(BitWriter& w, int length, int distance) {
    int l = 28;
    while (kLengthBase[std::size_t(l)] > length) --l;
    literalOrLength(w, 257 + l);
    w.bits(std::uint32_t(length - kLengthBase[std::size_t(l)]), kLengthExtra[std::size_t(l)]);
    int d = 29;
    while (kDistBase[std::size_t(d)] > distance) --d;
    w.code(std::uint32_t(d), 5);
    w.bits(std::uint32_t(distance - kDistBase[std::size_t(d)]), kDistExtra[std::size_t(d)]);
}

// Deflate with the fixed code and a short hash-chain search: small files for pictures that are
// mostly flat colour, which is all the game ever writes.
std::vector<std::uint8_t> deflate(const std::vector<std::uint8_t>& data) {
    constexpr int kWindow = 32768;
    constexpr int kHashSize = 1 << 15;
    constexpr int kMaxChain = 32;
    std::vector<std::uint8_t> out;
    BitWriter w(out);
    w.bits(1, 1);  // the final block
    w.bits(1, 2);  // fixed Huffman codes
    std::vector<int> head(kHashSize, -1);
    std::vector<int> previous(data.size(), -1);
    auto hash = [&](std::size_t i) {
        return int((data[i] * 2654435761u ^ data[i + 1] * 40503u ^ data[i + 2]) & (kHashSize - 1));
    };
    auto insert = [&](std::size_t i) {
        if (i + 2 >= data.size()) return;
        const int h = hash(i);
        previous[i] = head[std::size_t(h)];
        head[std::size_t(h)] = int(i);
    };
    std::size_t i = 0;
    while (i < data.size()) {
        int bestLength = 0;
        int bestDistance = 0;
        if (i + 2 < data.size()) {
            int candidate = head[std::size_t(hash(i))];
            for (int chain = 0; candidate >= 0 && chain < kMaxChain; ++chain) {
                const int distance = int(i) - candidate;
                if (distance > kWindow) break;
                int length = 0;
                while (length < 258 && i + std::size_t(length) < data.size() &&
                       data[std::size_t(candidate + length)] == data[i + std::size_t(length)])
                    ++length;
                if (length > bestLength) {
                    bestLength = length;
                    bestDistance = distance;
                }
                candidate = previous[std::size_t(candidate)];
            }
        }
        if (bestLength >= 3) {
            match(w, bestLength, bestDistance);
            for (int k = 0; k < bestLength; ++k) insert(i + std::size_t(k));
            i += std::size_t(bestLength);
        } else {
            literalOrLength(w, data[i]);
            insert(i);
            ++i;
        }
    }
    literalOrLength(w, 256);
    w.flush();
    return out;
}

std::uint32_t crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0) {
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

std::uint32_t adler32(const std::vector<std::uint8_t>& data) {
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (std::uint8_t byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return b << 16 | a;
}

void putBig32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(std::uint8_t(v >> shift));
}

void chunk(std::vector<std::uint8_t>& out, std::string_view type, const std::vector<std::uint8_t>& body) {
    putBig32(out, std::uint32_t(body.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), body.begin(), body.end());
    putBig32(out, crc32(out.data() + start, out.size() - start));
}

}  // namespace

std::vector<std::uint8_t> encodePng(const Picture& picture, bool withAlpha) {
    const int channels = withAlpha ? 4 : 3;
    std::vector<std::uint8_t> raw;
    raw.reserve(std::size_t(picture.pixelHeight()) * (1 + std::size_t(picture.pixelWidth()) * std::size_t(channels)));
    for (int y = 0; y < picture.pixelHeight(); ++y) {
        raw.push_back(0);  // no filter
        const Pixel* row = picture.row(y);
        for (int x = 0; x < picture.pixelWidth(); ++x) {
            raw.push_back(std::uint8_t(row[x] >> 16));
            raw.push_back(std::uint8_t(row[x] >> 8));
            raw.push_back(std::uint8_t(row[x]));
            if (withAlpha) raw.push_back(std::uint8_t(row[x] >> 24));
        }
    }

    std::vector<std::uint8_t> header;
    putBig32(header, std::uint32_t(picture.pixelWidth()));
    putBig32(header, std::uint32_t(picture.pixelHeight()));
    header.insert(header.end(), {8, std::uint8_t(withAlpha ? 6 : 2), 0, 0, 0});

    std::vector<std::uint8_t> zlib = {0x78, 0x01};
    const std::vector<std::uint8_t> compressed = deflate(raw);
    zlib.insert(zlib.end(), compressed.begin(), compressed.end());
    putBig32(zlib, adler32(raw));

    std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    chunk(out, "IHDR", header);
    chunk(out, "IDAT", zlib);
    chunk(out, "IEND", {});
    return out;
}

}  // namespace vellix
