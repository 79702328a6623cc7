#include "app/keys/MouseEventNames.h"

#include "app/settings/StoredText.h"

namespace pelmo::app {

const std::array<LanguageTexts, kMouseButtonCount> MouseEventNameTable = {{
    {{"Left Click        ", "左鍵   ", "左键   ", "Linke Maustaste   "}}, // left
    {{"Right Click       ", "右鍵   ", "右键   ", "Rechte Maustaste   "}}, // right
    {{"Scroll Wheel Click", "滾輪鍵  ", "滚轮键  ", "Mausrad-Taste   "}}, // middle
    {{"Browser Forward   ", "下一頁按鍵   ", "下一页按键   ", "Browser vor   "}}, // forward
    {{"Browser Backward  ", "上一頁按鍵   ", "上一页按键   ", "Browser zurück   "}}, // backward
    {{"Scroll Wheel Up   ", "向上捲動滾輪鍵  ", "向上卷动滚轮键  ", "Einzeln hochscrollen   "}}, // wheel up
    {{"Scroll Wheel Down ", "向下捲動滾輪鍵  ", "向下卷动滚轮键  ", "Einzeln runterscrollen   "}}, // wheel down
}};

const std::array<LanguageTexts, kMouseEventSuffixCount> MouseEventSuffixTable = {{
    {{" Up   ", " 向上   ", " 向上   ", " Hoch   "}}, // up
    {{" Down ", " 向下   ", " 向下   ", " Runter   "}}, // down
    {{" Click", " 點擊   ", " 点击   ", " Klick   "}}, // click
    {{" Sec Delay ", " 秒延時 ", " 秒延时 ", " Sec einfügen   "}}, // delay
}};

const std::array<std::string_view, kMouseButtonCount> CanonicalMouseName = {
    "Left Click     ", "Right Click    ", "Middle Click   ", "Browser Forward",
    "Browser Back   ", "Wheel Up       ", "Wheel Down     ",
};

namespace {

std::size_t column(std::uint8_t languageIndex)
{
    return languageIndex < kLanguageCount ? languageIndex : 0;
}

char foldAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (foldAscii(a[i]) != foldAscii(b[i]))
            return false;
    return true;
}

} // namespace

std::string_view mouseButtonName(MouseButton button, std::uint8_t languageIndex)
{
    return MouseEventNameTable[static_cast<std::size_t>(button) % kMouseButtonCount][column(languageIndex)];
}

std::string_view mouseEventSuffix(MouseEventSuffix suffix, std::uint8_t languageIndex)
{
    return MouseEventSuffixTable[static_cast<std::size_t>(suffix) % kMouseEventSuffixCount][column(languageIndex)];
}

std::optional<MouseButton> findMouseButtonByStoredName(std::string_view stored)
{
    // The German column is not a stored form and is not compared.
    constexpr std::size_t kStoredColumns = 3;
    for (std::size_t button = 0; button < kMouseButtonCount; ++button)
        for (std::size_t language = 0; language < kStoredColumns; ++language)
            if (equalIgnoringAsciiCase(stored, MouseEventNameTable[button][language]))
                return static_cast<MouseButton>(button);
    return std::nullopt;
}

std::string mouseEventDisplayName(std::string_view stored, std::uint8_t languageIndex)
{
    if (auto button = findMouseButtonByStoredName(stored))
        return std::string(mouseButtonName(*button, languageIndex));
    return displayText(stored);
}

std::string mouseEventListText(std::string_view stored, MouseEventSuffix suffix, std::uint8_t languageIndex)
{
    return mouseEventDisplayName(stored, languageIndex) + std::string(mouseEventSuffix(suffix, languageIndex));
}

std::string delayListText(std::string_view secondsText, std::uint8_t languageIndex)
{
    return displayText(secondsText) + std::string(mouseEventSuffix(MouseEventSuffix::Delay, languageIndex));
}

} // namespace pelmo::app
