#include "terminal/output_encoding.h"

#include <iconv.h>
#include <langinfo.h>

#include <strings.h>
#include <array>
#include <cerrno>
#include <clocale>

#include "console/screen.h"

namespace tarnwick {

namespace {

constexpr std::array<const char*, 2> ConvertedSets{"GB18030", "GBK"};

iconv_t handleOf(void* converter) {
    return static_cast<iconv_t>(converter);
}

}  // namespace

std::string localeCodeset() {
    const char* current = std::setlocale(LC_CTYPE, nullptr);
    const std::string saved = current != nullptr ? current : "C";
    std::string codeset;
    if (std::setlocale(LC_CTYPE, "") != nullptr) {
        codeset = nl_langinfo(CODESET);
    }
    std::setlocale(LC_CTYPE, saved.c_str());
    return codeset;
}

OutputEncoding::OutputEncoding(std::string_view codeset) {
    for (const char* set : ConvertedSets) {
        if (codeset.size() == std::char_traits<char>::length(set) &&
            strncasecmp(codeset.data(), set, codeset.size()) == 0) {
            const iconv_t handle = iconv_open(set, "UTF-8");
            if (handle != reinterpret_cast<iconv_t>(-1)) {
                converter_ = handle;
                name_ = set;
            }
            return;
        }
    }
}

OutputEncoding::~OutputEncoding() {
    if (converter_ != nullptr) {
        iconv_close(handleOf(converter_));
    }
}

namespace {

// Appends the UTF-8 text converted by the handle; a character the set lacks, or malformed
// input, becomes stand-ins, one '?' per column.
void convertInto(iconv_t handle, std::string_view utf8, std::string& out) {
    iconv(handle, nullptr, nullptr, nullptr, nullptr);
    const std::size_t start = out.size();
    // GBK and GB18030 take at most twice the bytes of UTF-8, '?' stand-ins included.
    out.resize(start + utf8.size() * 2 + 8);
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* to = out.data() + start;
    std::size_t toLeft = out.size() - start;
    while (inLeft > 0) {
        if (iconv(handle, &in, &inLeft, &to, &toLeft) != static_cast<std::size_t>(-1)) {
            break;
        }
        if (errno != EILSEQ && errno != EINVAL) {
            break;  // E2BIG cannot happen with the room given
        }
        std::size_t pos = 0;
        const char32_t ch = decodeUtf8(std::string_view(in, inLeft), pos);
        for (int i = 0; i < codePointWidth(ch) && toLeft > 0; ++i) {
            *to++ = '?';
            --toLeft;
        }
        in += pos;
        inLeft -= pos;
    }
    out.resize(out.size() - toLeft);
}

// Where the next tag character (U+E0000..U+E007F, F3 A0 80..81 xx in UTF-8) starts, from
// `from` on. F3 only ever leads a sequence, so any F3 found is where one starts.
std::size_t nextTagCharacter(std::string_view utf8, std::size_t from) {
    const auto continues = [&](std::size_t i) {
        return (static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80;
    };
    for (std::size_t at = utf8.find("\xF3\xA0", from); at != std::string_view::npos;
         at = utf8.find("\xF3\xA0", at + 1)) {
        if (at + 3 < utf8.size() && (utf8[at + 2] == '\x80' || utf8[at + 2] == '\x81') &&
            continues(at + 3)) {
            return at;
        }
    }
    return std::string_view::npos;
}

}  // namespace

std::string OutputEncoding::encode(std::string_view utf8) {
    if (converter_ == nullptr || utf8.empty()) {
        return std::string(utf8);
    }
    const iconv_t handle = handleOf(converter_);
    std::string out;
    // glibc's converters drop a tag character that the set lacks (GBK lacks them all) without
    // an error, which would shift the rest of the line: each is converted alone, and one that
    // gives nothing becomes its stand-in.
    std::size_t from = 0;
    for (std::size_t tag = nextTagCharacter(utf8, from); tag != std::string_view::npos;
         tag = nextTagCharacter(utf8, from)) {
        convertInto(handle, utf8.substr(from, tag - from), out);
        const std::size_t before = out.size();
        convertInto(handle, utf8.substr(tag, 4), out);
        if (out.size() == before) {
            out += '?';
        }
        from = tag + 4;
    }
    convertInto(handle, utf8.substr(from), out);
    return out;
}

}  // namespace tarnwick
