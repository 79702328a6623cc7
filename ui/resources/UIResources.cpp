#include "ui/resources/UIResources.h"

namespace pelmo::ui {

namespace {

struct Settings {
    const ResourceModule* program = nullptr;
    const ResourceModule* layout = nullptr;
    std::string skinFolder;
    std::string skinArchive;
};

Settings& settings()
{
    static Settings instance;
    return instance;
}

} // namespace

void UIResources::SetProgramModule(const ResourceModule* module)
{
    settings().program = module;
}

const ResourceModule* UIResources::GetProgramModule()
{
    return settings().program;
}

void UIResources::SetLayoutModule(const ResourceModule* module)
{
    settings().layout = module;
}

const ResourceModule* UIResources::GetLayoutModule()
{
    return settings().layout ? settings().layout : settings().program;
}

std::string UIResources::GetModuleFolder()
{
    const ResourceModule* module = settings().program;
    if (!module)
        return {};
    const std::string& name = module->fileName();
    std::size_t separator = name.find_last_of("/\\");
    return separator == std::string::npos ? std::string() : name.substr(0, separator + 1);
}

void UIResources::SetSkinFolder(std::string_view path)
{
    std::string folder(path);
    // Linux paths take "/"; a folder written Windows-style with "\" at its end
    // is kept as it is and its separators are turned round when a file is
    // opened.
    if (!folder.empty() && folder.back() != '/' && folder.back() != '\\')
        folder += '/';
    settings().skinFolder = std::move(folder);
}

const std::string& UIResources::GetSkinFolder()
{
    return settings().skinFolder;
}

void UIResources::SetSkinArchive(std::string_view name)
{
    settings().skinArchive = std::string(name);
}

const std::string& UIResources::GetSkinArchive()
{
    return settings().skinArchive;
}

void UIResources::Reset()
{
    settings() = Settings{};
}

} // namespace pelmo::ui
