// The character set of the terminal's output.
//
// The game draws in UTF-8. A terminal whose locale uses GBK or GB18030 gets each frame
// converted just before it is written; any other locale gets UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

// The character set of the user's locale (setlocale(LC_CTYPE, "") and nl_langinfo(CODESET)),
// for example "UTF-8", "GB18030" or "ANSI_X3.4-1968". The program's own locale is left as
// it was.
std::string localeCodeset();

class OutputEncoding {
  public:
    // Converts to GBK or GB18030 when the codeset names one of them (in any letter case);
    // otherwise passes UTF-8 through.
    explicit OutputEncoding(std::string_view codeset);
    ~OutputEncoding();
    OutputEncoding(const OutputEncoding&) = delete;
    OutputEncoding& operator=(const OutputEncoding&) = delete;

    // "UTF-8", "GBK" or "GB18030".
    const std::string& name() const { return name_; }
    bool converts() const { return converter_ != nullptr; }
    // The UTF-8 text in the output's character set. A character the set lacks becomes one
    // '?' per column it takes, so that the layout holds.
    std::string encode(std::string_view utf8);

  private:
    std::string name_ = "UTF-8";
    void* converter_ = nullptr;  // the iconv handle, opened once
};

}  // namespace tarnwick
