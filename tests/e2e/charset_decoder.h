// Turns the game's output from a legacy character set (GB18030) into UTF-8 for libvterm,
// chunk by chunk, and counts the bytes that do not decode.
#pragma once

#include <string>
#include <string_view>

namespace tarnwick::e2e {

class CharsetDecoder {
  public:
    explicit CharsetDecoder(const std::string& charset);
    ~CharsetDecoder();
    CharsetDecoder(const CharsetDecoder&) = delete;
    CharsetDecoder& operator=(const CharsetDecoder&) = delete;

    bool valid() const;
    // The UTF-8 form of the bytes; a character cut at the end of a chunk waits for the next.
    std::string decode(std::string_view bytes);
    // Bytes that were not valid in the character set (each becomes U+FFFD).
    int errors() const { return errors_; }

  private:
    void* handle_;
    std::string carry_;
    int errors_ = 0;
};

}  // namespace tarnwick::e2e
