#include <gtest/gtest.h>

#include <string>

#include "files/text_decoding.h"

namespace tavelmark::files {
namespace {

// Decodes `bytes` fed in pieces of `pieceSize`; nullopt when refused.
std::optional<std::string> Decode(TextEncoding encoding, std::string_view bytes, std::size_t pieceSize) {
    TextDecoder decoder(encoding);
    std::string out;
    for (std::size_t at = 0; at < bytes.size(); at += pieceSize)
        if (!decoder.decode(bytes.substr(at, pieceSize), out)) return std::nullopt;
    if (!decoder.finish()) return std::nullopt;
    return out;
}

// The byte sequences are the encodings' own tables: "第1批" is B5 DA 31 C5 FA
// in GBK, U+1F600 is D83D DE00 in UTF-16 and F0 9F 98 80 in UTF-8.
TEST(TextDecoder, EachEncodingInPiecesOfAnySize) {
    struct Case {
        TextEncoding encoding;
        std::string bytes;
        std::string utf8;
    };
    const Case cases[] = {
        {TextEncoding::Utf8, "LD50,第1批\xF0\x9F\x98\x80", "LD50,第1批😀"},
        {TextEncoding::Gb18030, "LD50,\xB5\xDA" "1" "\xC5\xFA", "LD50,第1批"},
        {TextEncoding::Utf16LE, std::string("L\0,\0\x2C\x7B" "1\0\x79\x62\x3D\xD8\x00\xDE", 14), "L,第1批😀"},
        {TextEncoding::Utf16BE, std::string("\0L\0,\x7B\x2C\0" "1\x62\x79\xD8\x3D\xDE\x00", 14), "L,第1批😀"},
    };
    for (const auto& c : cases)
        for (std::size_t piece = 1; piece <= c.bytes.size(); ++piece)
            EXPECT_EQ(Decode(c.encoding, c.bytes, piece), c.utf8)
                << static_cast<int>(c.encoding) << " in pieces of " << piece;
}

TEST(TextDecoder, RefusesWhatIsNotTextInItsEncoding) {
    struct Case {
        const char* what;
        TextEncoding encoding;
        std::string bytes;
    };
    const Case cases[] = {
        {"GBK read as UTF-8", TextEncoding::Utf8, "\xB5\xDA" "1"},
        {"overlong UTF-8", TextEncoding::Utf8, "\xC0\xAF"},
        {"UTF-8 surrogate", TextEncoding::Utf8, "\xED\xA0\x80"},
        {"beyond U+10FFFF", TextEncoding::Utf8, "\xF4\x90\x80\x80"},
        {"UTF-8 cut at the end", TextEncoding::Utf8, "ab\xE7\xAC"},
        {"NUL in UTF-8", TextEncoding::Utf8, std::string("1\0" "2", 3)},
        {"not GB18030", TextEncoding::Gb18030, "\xFF\xFF"},
        {"GB18030 cut at the end", TextEncoding::Gb18030, "1\xB5"},
        {"NUL in GB18030", TextEncoding::Gb18030, std::string("\xB5\xDA\0", 3)},
        {"lone low surrogate", TextEncoding::Utf16LE, std::string("\x00\xDC", 2)},
        {"high surrogate before a letter", TextEncoding::Utf16LE, std::string("\x3D\xD8" "A\0", 4)},
        {"high surrogate at the end", TextEncoding::Utf16BE, std::string("\xD8\x3D", 2)},
        {"odd byte at the end", TextEncoding::Utf16LE, std::string("A\0B", 3)},
        {"NUL in UTF-16 (UTF-32 looks so)", TextEncoding::Utf16LE, std::string("A\0\0\0", 4)},
    };
    for (const auto& c : cases) EXPECT_EQ(Decode(c.encoding, c.bytes, 1), std::nullopt) << c.what;
}

TEST(TextDecoder, ByteOrderMarks) {
    EXPECT_EQ(FindByteOrderMark("\xEF\xBB\xBF" "a").length, 3u);
    EXPECT_EQ(FindByteOrderMark("\xFF\xFE" "a").encoding, TextEncoding::Utf16LE);
    EXPECT_EQ(FindByteOrderMark("\xFE\xFF" "a").encoding, TextEncoding::Utf16BE);
    EXPECT_EQ(FindByteOrderMark("ab").length, 0u);
    EXPECT_EQ(FindByteOrderMark("").encoding, TextEncoding::Utf8);
}

}  // namespace
}  // namespace tavelmark::files
