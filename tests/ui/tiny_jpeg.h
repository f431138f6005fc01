#pragma once
#include <cstdint>
#include <vector>

namespace tarvolin::uitest {

const std::vector<std::uint8_t>& TinyRedJpeg();

}  // namespace tarvolin::uitest
