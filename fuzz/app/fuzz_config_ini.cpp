// Any text reads as config.ini, and the language written into it reads back;
// writing the same language twice changes nothing the second time.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/settings/IniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    pelmo::app::IniFile ini(text);
    ini.integer("Configuration Option", "lang", 0);
    ini.setValue("Configuration Option", "lang", "02");
    if (ini.integer("Configuration Option", "lang", 0) != 2)
        __builtin_trap();
    const std::string once = ini.text();
    ini.setValue("Configuration Option", "lang", "02");
    if (ini.text() != once)
        __builtin_trap();
    return 0;
}
