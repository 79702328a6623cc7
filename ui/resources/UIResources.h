#pragma once

#include <string>
#include <string_view>

#include "ui/resources/ResourceModule.h"

namespace pelmo::ui {

// The process-wide resource settings every window shares: the program
// module, the module that holds layouts and resource images, the skin folder
// that image and layout file names are relative to, and an optional zip
// archive in that folder to read files from instead. Set at start-up and on
// a change of language; used on the UI thread only.
class UIResources {
public:
    static void SetProgramModule(const ResourceModule* module);
    static const ResourceModule* GetProgramModule();
    // The layout module; the program module when none is set.
    static void SetLayoutModule(const ResourceModule* module);
    static const ResourceModule* GetLayoutModule();
    // The folder of the program module's file, with its trailing separator;
    // empty when no program module is set.
    static std::string GetModuleFolder();

    // Stores the folder with a separator appended unless it is empty or
    // already ends in one ("/" or "\"), so that file names can be added to it.
    static void SetSkinFolder(std::string_view path);
    static const std::string& GetSkinFolder();
    static void SetSkinArchive(std::string_view name);
    static const std::string& GetSkinArchive();

    // Back to nothing set, for tests.
    static void Reset();
};

} // namespace pelmo::ui
