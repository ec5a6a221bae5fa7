// An 8-bit RGB or RGBA picture: the owned form the window hands over and the view the PNG
// writer reads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace records {

struct ImageView {
    int iWidth = 0;
    int iHeight = 0;
    int iChannels = 3;       // 3: R, G, B; 4: R, G, B, A
    std::size_t iStride = 0; // bytes from one row to the next, at least iWidth * iChannels
    const std::uint8_t* pPixels = nullptr;
};

struct Image {
    int iWidth = 0;
    int iHeight = 0;
    int iChannels = 3;
    std::vector<std::uint8_t> pixels; // rows top to bottom, packed

    ImageView View() const {
        return {iWidth, iHeight, iChannels, static_cast<std::size_t>(iWidth) * iChannels,
                pixels.data()};
    }
};

} // namespace records
