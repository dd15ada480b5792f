#include "charset_decoder.h"

#include <iconv.h>

#include <cerrno>

namespace tarnwick::e2e {

namespace {

iconv_t handleOf(void* handle) {
    return static_cast<iconv_t>(handle);
}

}  // namespace

CharsetDecoder::CharsetDecoder(const std::string& charset)
    : handle_(iconv_open("UTF-8", charset.c_str())) {}

CharsetDecoder::~CharsetDecoder() {
    if (valid()) {
        iconv_close(handleOf(handle_));
    }
}

bool CharsetDecoder::valid() const {
    return handle_ != reinterpret_cast<void*>(-1);
}

std::string CharsetDecoder::decode(std::string_view bytes) {
    carry_.append(bytes);
    std::string out(carry_.size() * 4 + 16, '\0');
    char* in = carry_.data();
    std::size_t inLeft = carry_.size();
    char* to = out.data();
    std::size_t toLeft = out.size();
    while (inLeft > 0 && iconv(handleOf(handle_), &in, &inLeft, &to, &toLeft) == std::size_t(-1)) {
        if (errno != EILSEQ) {
            break;  // EINVAL: a character cut at the end, kept for the next chunk
        }
        ++errors_;
        ++in;
        --inLeft;
        for (const char c : std::string_view("\xEF\xBF\xBD")) {
            *to++ = c;
            --toLeft;
        }
    }
    out.resize(out.size() - toLeft);
    carry_.erase(0, carry_.size() - inLeft);
    return out;
}

}  // namespace tarnwick::e2e
