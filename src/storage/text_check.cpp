#include "storage/text_check.h"

namespace tarnwick::storage {

bool isText(std::string_view bytes) {
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && c != '\t' && c != '\n' && c != '\r') || byte == 0x7F) {
            return false;
        }
    }
    return true;
}

}  // namespace tarnwick::storage
