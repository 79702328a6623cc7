// The one translation unit that compiles stb_image. Only the formats skins may
// use are built, and no stdio: every image comes from memory. The size limit
// matches ImageDecoder's, so the decoder refuses a larger image even if the
// header check were bypassed.

#include "ui/resources/StbImage.h"

#define STBI_NO_STDIO
#define STBI_NO_HDR
#define STBI_NO_LINEAR
#define STBI_NO_TGA
#define STBI_NO_PNM
#define STBI_MAX_DIMENSIONS 8192
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

namespace pelmo::ui::stb {

bool info(const std::uint8_t* bytes, int length, int* width, int* height)
{
    int components = 0;
    return stbi_info_from_memory(bytes, length, width, height, &components) != 0;
}

std::uint8_t* loadRgba(const std::uint8_t* bytes, int length, int* width, int* height)
{
    int components = 0;
    return stbi_load_from_memory(bytes, length, width, height, &components, 4);
}

void release(std::uint8_t* pixels)
{
    stbi_image_free(pixels);
}

} // namespace pelmo::ui::stb
