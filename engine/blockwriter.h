#pragma once

#include "engine/quantiser.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string_view>

namespace tintwright {

// Takes the bytes of an output, a block at a time.
using Sink = std::function<void(std::string_view)>;

// Values on one line, in every format that has lines.
inline constexpr std::int32_t valuesPerLine = 16;

// What stands around the values of a format: before the first value of each line,
// between two values of a line, after a full line that more values follow, and after
// the last value.
struct ValueLayout {
    std::string_view lineStart;
    std::string_view separator;
    std::string_view lineEnd;
    std::string_view end;
};

/**
 * Collects the bytes of an output in a block and hands each full block to a sink, so that
 * the sink sees a few large pieces rather than one small piece a value. Every format is
 * written through this class.
 */
class BlockWriter {
public:
    // Most bytes a value writer may write for one value.
    static constexpr std::size_t maxValueLength = 16;

    explicit BlockWriter(const Sink& sink)
        : sink_(sink) {}
    BlockWriter(const BlockWriter&) = delete;
    BlockWriter& operator=(const BlockWriter&) = delete;

    BlockWriter& operator<<(std::string_view bytes) {
        while (!bytes.empty()) {
            if (size_ == block_.size()) {
                flush();
            }
            const std::size_t part = std::min(bytes.size(), block_.size() - size_);
            std::copy_n(bytes.data(), part, block_.data() + size_);
            size_ += part;
            bytes.remove_prefix(part);
        }
        return *this;
    }

    // Writes every colour of `colours` through `writeValue(GBA colour, out)`, which writes
    // at most maxValueLength bytes at `out` and returns their end, laid out in lines of
    // valuesPerLine values.
    template <typename WriteValue>
    void writeValues(const Quantiser& colours, const ValueLayout& layout, WriteValue writeValue) {
        const Piece lineStart(layout.lineStart);
        const Piece separator(layout.separator);
        const Piece lineEnd(layout.lineEnd);
        const Piece end(layout.end);
        constexpr std::size_t mostPerValue = 2 * Piece::room + maxValueLength;
        // The end of the block is kept in a local: a store through a char pointer could change
        // any member, so the compiler would read a member back after every byte.
        char* out = block_.data() + size_;
        char* const full = block_.data() + block_.size() - mostPerValue;
        const std::int32_t last = colours.count() - 1;
        colours.forEach([&](std::int32_t i, std::int32_t colour) {
            if (out > full) {
                size_ = static_cast<std::size_t>(out - block_.data());
                flush();
                out = block_.data();
            }
            const std::int32_t column = i % valuesPerLine;
            if (column == 0) {
                out = lineStart.put(out);
            }
            out = writeValue(colour, out);
            if (i == last) {
                out = end.put(out);
            } else {
                out = (column == valuesPerLine - 1 ? lineEnd : separator).put(out);
            }
        });
        size_ = static_cast<std::size_t>(out - block_.data());
    }

    // Hands what the block holds to the sink.
    void flush() {
        sink_(std::string_view(block_.data(), size_));
        size_ = 0;
    }

private:
    // A few bytes that stand between values. They are copied as a whole fixed-size array,
    // which compiles to a couple of moves, and only their own length counts: the block always
    // has room for the rest.
    class Piece {
    public:
        static constexpr std::size_t room = 16;

        explicit Piece(std::string_view text)
            : size_(std::min(text.size(), room)) {
            std::copy_n(text.data(), size_, bytes_.data());
        }
        char* put(char* out) const {
            std::memcpy(out, bytes_.data(), room);
            return out + size_;
        }

    private:
        std::array<char, room> bytes_{};
        std::size_t size_;
    };

    const Sink& sink_;
    std::array<char, std::size_t{1} << 12> block_;
    std::size_t size_ = 0;
};

} // namespace tintwright
