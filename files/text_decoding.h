#pragma once
// The bytes of an input file as UTF-8 text, decoded piece by piece: UTF-8,
// GBK (read as GB18030, its superset) or UTF-16 in either byte order.
#include <memory>
#include <string>
#include <string_view>

namespace tavelmark::files {

enum class TextEncoding { Utf8, Gb18030, Utf16LE, Utf16BE };

// The encoding a byte order mark at the start of `head` names, and the mark's
// length; UTF-8 with length 0 when there is none.
struct ByteOrderMark {
    TextEncoding encoding = TextEncoding::Utf8;
    std::size_t length = 0;
};
ByteOrderMark FindByteOrderMark(std::string_view head);

class TextDecoder {
public:
    explicit TextDecoder(TextEncoding encoding);
    ~TextDecoder();
    TextDecoder(const TextDecoder&) = delete;
    TextDecoder& operator=(const TextDecoder&) = delete;

    // Appends the UTF-8 of the next bytes to `out`. A character cut between
    // two pieces is completed by the next one. False when the bytes are not
    // text in this encoding; a NUL character counts as not text, which is
    // what UTF-16 without a byte order mark and UTF-32 look like.
    bool decode(std::string_view bytes, std::string& out);
    // False when the bytes ended inside a character.
    bool finish();

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace tavelmark::files
