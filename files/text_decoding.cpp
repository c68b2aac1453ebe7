#include "files/text_decoding.h"

#include <cerrno>
#include <utility>

#if __has_include(<iconv.h>)
#include <iconv.h>
#define TAVELMARK_HAVE_ICONV 1
#endif

namespace tavelmark::files {

namespace {

enum class Sequence { Complete, Cut, Invalid };

// The UTF-8 sequence at the start of `s` by the well-formed byte ranges of
// The Unicode Standard, table 3-7 (no overlong forms, no surrogates, nothing
// beyond U+10FFFF); NUL is refused as well.
Sequence Utf8Sequence(std::string_view s, std::size_t& length) {
    const auto lead = static_cast<unsigned char>(s[0]);
    if (lead < 0x80) {
        length = 1;
        return lead == 0 ? Sequence::Invalid : Sequence::Complete;
    }
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    std::size_t n = 0;
    if (lead >= 0xC2 && lead <= 0xDF) n = 2;
    else if (lead == 0xE0) n = 3, low = 0xA0;
    else if (lead == 0xED) n = 3, high = 0x9F;
    else if (lead >= 0xE1 && lead <= 0xEF) n = 3;
    else if (lead == 0xF0) n = 4, low = 0x90;
    else if (lead == 0xF4) n = 4, high = 0x8F;
    else if (lead >= 0xF1 && lead <= 0xF3) n = 4;
    else return Sequence::Invalid;
    for (std::size_t k = 1; k < n; ++k) {
        if (k >= s.size()) return Sequence::Cut;
        const auto b = static_cast<unsigned char>(s[k]);
        if (b < (k == 1 ? low : 0x80) || b > (k == 1 ? high : 0xBF)) return Sequence::Invalid;
    }
    length = n;
    return Sequence::Complete;
}

void AppendUtf8(char32_t c, std::string& out) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

ByteOrderMark FindByteOrderMark(std::string_view head) {
    if (head.substr(0, 3) == "\xEF\xBB\xBF") return {TextEncoding::Utf8, 3};
    if (head.substr(0, 2) == "\xFF\xFE") return {TextEncoding::Utf16LE, 2};
    if (head.substr(0, 2) == "\xFE\xFF") return {TextEncoding::Utf16BE, 2};
    return {};
}

struct TextDecoder::State {
    TextEncoding encoding;
    std::string cut;          // the bytes of a character not yet complete
    char16_t highSurrogate = 0;
#ifdef TAVELMARK_HAVE_ICONV
    iconv_t gb = reinterpret_cast<iconv_t>(-1);
#endif

    bool utf8(std::string_view bytes, std::string& out);
    bool utf16(std::string_view bytes, std::string& out);
    bool utf16Unit(char16_t unit, std::string& out);
    bool gb18030(std::string_view bytes, std::string& out);
};

TextDecoder::TextDecoder(TextEncoding encoding) : state_(std::make_unique<State>()) {
    state_->encoding = encoding;
#ifdef TAVELMARK_HAVE_ICONV
    if (encoding == TextEncoding::Gb18030) state_->gb = iconv_open("UTF-8", "GB18030");
#endif
}

TextDecoder::~TextDecoder() {
#ifdef TAVELMARK_HAVE_ICONV
    if (state_->gb != reinterpret_cast<iconv_t>(-1)) iconv_close(state_->gb);
#endif
}

bool TextDecoder::decode(std::string_view bytes, std::string& out) {
    switch (state_->encoding) {
        case TextEncoding::Utf8: return state_->utf8(bytes, out);
        case TextEncoding::Gb18030: return state_->gb18030(bytes, out);
        case TextEncoding::Utf16LE:
        case TextEncoding::Utf16BE: return state_->utf16(bytes, out);
    }
    return false;
}

bool TextDecoder::finish() { return state_->cut.empty() && state_->highSurrogate == 0; }

bool TextDecoder::State::utf8(std::string_view bytes, std::string& out) {
    // First complete the character the last piece cut.
    while (!cut.empty()) {
        if (bytes.empty()) return true;
        cut += bytes.front();
        bytes.remove_prefix(1);
        std::size_t length = 0;
        const Sequence sequence = Utf8Sequence(cut, length);
        if (sequence == Sequence::Invalid) return false;
        if (sequence == Sequence::Complete) {
            out += cut;
            cut.clear();
        }
    }
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b != 0 && b < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        const Sequence sequence = Utf8Sequence(bytes.substr(i), length);
        if (sequence == Sequence::Invalid) return false;
        if (sequence == Sequence::Cut) {
            cut.assign(bytes.substr(i));
            break;
        }
        i += length;
    }
    out.append(bytes.substr(0, i));
    return true;
}

bool TextDecoder::State::utf16(std::string_view bytes, std::string& out) {
    const bool little = encoding == TextEncoding::Utf16LE;
    const auto unit = [little](char a, char b) {
        const auto first = static_cast<unsigned char>(a), second = static_cast<unsigned char>(b);
        return static_cast<char16_t>(little ? first | (second << 8) : (first << 8) | second);
    };
    if (!cut.empty() && !bytes.empty()) {
        const char16_t u = unit(cut[0], bytes[0]);
        cut.clear();
        bytes.remove_prefix(1);
        if (!utf16Unit(u, out)) return false;
    }
    for (; bytes.size() >= 2; bytes.remove_prefix(2))
        if (!utf16Unit(unit(bytes[0], bytes[1]), out)) return false;
    if (!bytes.empty()) cut.assign(bytes);
    return true;
}

bool TextDecoder::State::utf16Unit(char16_t u, std::string& out) {
    const bool high = u >= 0xD800 && u <= 0xDBFF, low = u >= 0xDC00 && u <= 0xDFFF;
    if (highSurrogate != 0) {
        if (!low) return false;
        AppendUtf8(0x10000 + ((char32_t(highSurrogate) - 0xD800) << 10) + (u - 0xDC00), out);
        highSurrogate = 0;
        return true;
    }
    if (high) {
        highSurrogate = u;
        return true;
    }
    if (low || u == 0) return false;
    AppendUtf8(u, out);
    return true;
}

bool TextDecoder::State::gb18030(std::string_view bytes, std::string& out) {
#ifdef TAVELMARK_HAVE_ICONV
    if (gb == reinterpret_cast<iconv_t>(-1)) return false;
    std::string input = std::exchange(cut, {});
    input.append(bytes);
    char* in = input.data();
    std::size_t inLeft = input.size();
    const std::size_t start = out.size();
    char buffer[16 * 1024];
    while (inLeft > 0) {
        char* o = buffer;
        std::size_t oLeft = sizeof buffer;
        const std::size_t converted = iconv(gb, &in, &inLeft, &o, &oLeft);
        out.append(buffer, static_cast<std::size_t>(o - buffer));
        if (converted != static_cast<std::size_t>(-1)) continue;
        if (errno == E2BIG) continue;
        if (errno != EINVAL) return false;  // EILSEQ: not GB18030
        cut.assign(in, inLeft);             // a character cut at the end of the piece
        break;
    }
    return out.find('\0', start) == std::string::npos;
#else
    (void)bytes;
    (void)out;
    return false;
#endif
}

}  // namespace tavelmark::files
