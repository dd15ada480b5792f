#include "storage/text_form.h"

namespace tarnwick::storage {

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

TextForm formOf(std::string_view bytes) {
    TextForm form;
    form.byteOrderMark = bytes.starts_with(ByteOrderMark);
    const std::size_t end = bytes.find('\n');
    form.crlf = end != std::string_view::npos && end > 0 && bytes[end - 1] == '\r';
    return form;
}

std::string plainText(std::string_view bytes) {
    if (bytes.starts_with(ByteOrderMark)) {
        bytes.remove_prefix(ByteOrderMark.size());
    }
    std::string text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        // Every '\r' before a line's end goes, so that the form's own come back as they were.
        while (c == '\n' && !text.empty() && text.back() == '\r') {
            text.pop_back();
        }
        text += c;
    }
    return text;
}

std::string inForm(std::string_view text, TextForm form) {
    std::string bytes = form.byteOrderMark ? std::string(ByteOrderMark) : "";
    for (const char c : text) {
        if (c == '\n' && form.crlf) {
            bytes += '\r';
        }
        bytes += c;
    }
    return bytes;
}

}  // namespace tarnwick::storage
