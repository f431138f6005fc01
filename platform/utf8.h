#pragma once
#include <string>
#include <string_view>

namespace tarvolin {

// UTF-16 text as UTF-8; a lone surrogate has no UTF-8 form and becomes U+FFFD.
std::string EncodeUtf8(std::u16string_view text);

}  // namespace tarvolin
