// How a file a person may have edited spells its text: a UTF-8 byte-order mark in front (some
// editors on Windows write one), and CRLF line ends. The formats read plain text, without the
// mark and with '\n' line ends; a rewrite gives the file its own form back.
#pragma once

#include <string>
#include <string_view>

namespace tarnwick::storage {

struct TextForm {
    bool byteOrderMark = false;  // the file begins with EF BB BF
    bool crlf = false;           // its first line ends in "\r\n"
};

TextForm formOf(std::string_view bytes);

// The bytes without a byte-order mark, and with the '\r's at each line's end left out.
std::string plainText(std::string_view bytes);

// Plain text in the form: the mark in front when the form has one, "\r\n" for each '\n'.
std::string inForm(std::string_view text, TextForm form);

}  // namespace tarnwick::storage
