#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace tarvolin {

// UTF-16 text as UTF-8; a lone surrogate has no UTF-8 form and becomes U+FFFD.
std::string EncodeUtf8(std::u16string_view text);

// Strict UTF-8 to UTF-16: empty when any sequence is broken (cut short, overlong, an encoded
// surrogate, past U+10FFFF), so a caller can try another encoding.
std::optional<std::u16string> DecodeUtf8(std::string_view bytes);

// Forgiving UTF-8 to UTF-16 for command lines and logs: each byte that starts no valid
// sequence becomes U+FFFD and decoding goes on after it.
std::u16string DecodeUtf8Lossy(std::string_view bytes);

}  // namespace tarvolin
