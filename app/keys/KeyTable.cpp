#include "app/keys/KeyTable.h"

#include "app/settings/StoredText.h"

namespace pelmo::app {

// The modifier rows carry the generic codes (Shift 0x10, Ctrl 0x11, Alt 0x12)
// with the usages of the left-hand keys, so both Shift keys are one key here.
// Row 75, the keypad separator, has a second space where the other keypad
// names carry their symbol.
const std::array<KeyEntry, kKeyCount + 1> KeyTable = {{
    {0x08, 0x2A, " BackSpace "}, // 0
    {0x09, 0x2B, " Tab "},
    {0x0D, 0x28, " Enter "},
    {0x10, 0xE1, " Shift "},
    {0x11, 0xE0, " Ctrl "},
    {0x12, 0xE2, " Alt "},
    {0x13, 0x48, " Pause "},
    {0x14, 0x39, " CapsLock "},
    {0x1B, 0x29, " Esc "},
    {0x20, 0x2C, " Space "},
    {0x21, 0x4B, " Page UP "}, // 10
    {0x22, 0x4E, " Page Down "},
    {0x23, 0x4D, " End "},
    {0x24, 0x4A, " Home "},
    {0x25, 0x50, " Left "},
    {0x26, 0x52, " Up "},
    {0x27, 0x4F, " Right "},
    {0x28, 0x51, " Down "},
    {0x29, 0x77, " Select "},
    {0x2B, 0x74, " Execute "},
    {0x2C, 0x46, " Print Screen "}, // 20
    {0x2D, 0x49, " Insert "},
    {0x2E, 0x4C, " Delete "},
    {0x2F, 0x75, " Help "},
    {0x30, 0x27, " 0 "},
    {0x31, 0x1E, " 1 "},
    {0x32, 0x1F, " 2 "},
    {0x33, 0x20, " 3 "},
    {0x34, 0x21, " 4 "},
    {0x35, 0x22, " 5 "},
    {0x36, 0x23, " 6 "}, // 30
    {0x37, 0x24, " 7 "},
    {0x38, 0x25, " 8 "},
    {0x39, 0x26, " 9 "},
    {0x41, 0x04, " A "},
    {0x42, 0x05, " B "},
    {0x43, 0x06, " C "},
    {0x44, 0x07, " D "},
    {0x45, 0x08, " E "},
    {0x46, 0x09, " F "},
    {0x47, 0x0A, " G "}, // 40
    {0x48, 0x0B, " H "},
    {0x49, 0x0C, " I "},
    {0x4A, 0x0D, " J "},
    {0x4B, 0x0E, " K "},
    {0x4C, 0x0F, " L "},
    {0x4D, 0x10, " M "},
    {0x4E, 0x11, " N "},
    {0x4F, 0x12, " O "},
    {0x50, 0x13, " P "},
    {0x51, 0x14, " Q "}, // 50
    {0x52, 0x15, " R "},
    {0x53, 0x16, " S "},
    {0x54, 0x17, " T "},
    {0x55, 0x18, " U "},
    {0x56, 0x19, " V "},
    {0x57, 0x1A, " W "},
    {0x58, 0x1B, " X "},
    {0x59, 0x1C, " Y "},
    {0x5A, 0x1D, " Z "},
    {0x5B, 0xE3, " L_WIN "}, // 60
    {0x5C, 0xE7, " R_WIN "},
    {0x5D, 0x65, " APP "},
    {0x60, 0x62, " Num_0 "},
    {0x61, 0x59, " Num_1 "},
    {0x62, 0x5A, " Num_2 "},
    {0x63, 0x5B, " Num_3 "},
    {0x64, 0x5C, " Num_4 "},
    {0x65, 0x5D, " Num_5 "},
    {0x66, 0x5E, " Num_6 "},
    {0x67, 0x5F, " Num_7 "}, // 70
    {0x68, 0x60, " Num_8 "},
    {0x69, 0x61, " Num_9 "},
    {0x6A, 0x55, " Num_* "},
    {0x6B, 0x57, " Num_+ "},
    {0x6C, 0x58, " Num_  "},
    {0x6D, 0x56, " Num_- "},
    {0x6E, 0x63, " Num_. "},
    {0x6F, 0x54, " Num_/ "},
    {0x70, 0x3A, " F1 "},
    {0x71, 0x3B, " F2 "}, // 80
    {0x72, 0x3C, " F3 "},
    {0x73, 0x3D, " F4 "},
    {0x74, 0x3E, " F5 "},
    {0x75, 0x3F, " F6 "},
    {0x76, 0x40, " F7 "},
    {0x77, 0x41, " F8 "},
    {0x78, 0x42, " F9 "},
    {0x79, 0x43, " F10 "},
    {0x7A, 0x44, " F11 "},
    {0x7B, 0x45, " F12 "}, // 90
    {0x90, 0x53, " Number Lock "},
    {0x91, 0x47, " Scroll Lock "},
    {0xC0, 0x35, " ` "},
    {0xDB, 0x2F, " [ "},
    {0xDD, 0x30, " ] "},
    {0xDC, 0x31, " \\ "},
    {0xBD, 0x2D, " - "},
    {0xBB, 0x2E, " = "},
    {0xDE, 0x34, " ' "},
    {0xBA, 0x33, " ; "}, // 100
    {0xBF, 0x38, " / "},
    {0xBE, 0x37, " . "},
    {0xBC, 0x36, " , "},
    {0x00, 0x00, ""},
}};

namespace {

template <typename Matches>
std::optional<KeyIndex> scan(Matches matches)
{
    for (std::size_t row = 0; KeyTable[row].vk != 0; ++row)
        if (matches(KeyTable[row]))
            return static_cast<KeyIndex>(row);
    return std::nullopt;
}

} // namespace

std::optional<KeyIndex> findKeyByVirtualKey(std::int32_t vk)
{
    return scan([vk](const KeyEntry& row) { return row.vk == vk; });
}

std::optional<KeyIndex> findKeyByUsage(std::uint16_t usage)
{
    return scan([usage](const KeyEntry& row) { return row.usage == usage; });
}

std::optional<KeyIndex> findKeyByName(std::string_view name)
{
    return scan([name](const KeyEntry& row) { return fieldText(row.name) == name; });
}

std::string_view keyName(KeyIndex key)
{
    if (key >= kKeyCount)
        return {};
    return fieldText(KeyTable[key].name);
}

std::string keyButtonLabel(KeyIndex key)
{
    constexpr std::size_t kLabelRoom = 259;
    std::string label = " ";
    label += keyName(key);
    label += " Key ";
    if (label.size() > kLabelRoom)
        label.resize(kLabelRoom);
    return label;
}

} // namespace pelmo::app
