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

std::string OutputEncoding::encode(std::string_view utf8) {
    if (converter_ == nullptr || utf8.empty()) {
        return std::string(utf8);
    }
    const iconv_t handle = handleOf(converter_);
    iconv(handle, nullptr, nullptr, nullptr, nullptr);
    // GBK and GB18030 take at most twice the bytes of UTF-8, '?' stand-ins included.
    std::string out(utf8.size() * 2 + 8, '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* to = out.data();
    std::size_t toLeft = out.size();
    while (inLeft > 0) {
        if (iconv(handle, &in, &inLeft, &to, &toLeft) != static_cast<std::size_t>(-1)) {
            break;
        }
        if (errno != EILSEQ && errno != EINVAL) {
            break;  // E2BIG cannot happen with the room given
        }
        // A character the set lacks, or malformed input: stand-ins, one per column.
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
    return out;
}

}  // namespace tarnwick
