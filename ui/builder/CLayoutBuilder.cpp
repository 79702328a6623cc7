#include "ui/builder/CLayoutBuilder.h"

#include <string>

#include "platform/graphics/FontDescription.h"
#include "platform/graphics/FontSystem.h"
#include "ui/builder/ControlFactory.h"
#include "ui/builder/IDialogBuilderCallback.h"
#include "ui/core/AttributeValue.h"
#include "ui/core/CControlUI.h"
#include "ui/core/CUIManager.h"
#include "ui/core/IContainerUI.h"
#include "ui/layout/CDialogLayoutUI.h"
#include "ui/resources/ResourceReader.h"

namespace pelmo::ui {

namespace {

// Resource ids are 16-bit.
constexpr int resourceIdLimit = 0x10000;
constexpr int defaultFontSize = 12;

unsigned stretchFlags(std::string_view value)
{
    struct Word {
        std::string_view word;
        unsigned flags;
    };
    static constexpr Word words[] = {
        {"move_x", UISTRETCH_MOVE_X},
        {"move_y", UISTRETCH_MOVE_Y},
        {"move_xy", UISTRETCH_MOVE_X | UISTRETCH_MOVE_Y},
        {"size_x", UISTRETCH_SIZE_X},
        {"size_y", UISTRETCH_SIZE_Y},
        {"size_xy", UISTRETCH_SIZE_X | UISTRETCH_SIZE_Y},
        {"group", UISTRETCH_NEWGROUP},
        {"line", UISTRETCH_NEWLINE},
    };
    unsigned flags = 0;
    for (const Word& each : words)
        if (value.find(each.word) != std::string_view::npos)
            flags |= each.flags;
    return flags;
}

// The first `limit` characters of UTF-8 text.
std::string_view firstCharacters(std::string_view text, std::size_t limit)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80)
            continue;
        if (count == limit)
            return text.substr(0, i);
        ++count;
    }
    return text;
}

} // namespace

CLayoutBuilder::CLayoutBuilder() = default;
CLayoutBuilder::~CLayoutBuilder() = default;

const std::string& CLayoutBuilder::GetLastErrorMessage() const
{
    return errorMessage_.empty() ? reader_.GetLastErrorMessage() : errorMessage_;
}

const std::string& CLayoutBuilder::GetLastErrorLocation() const
{
    return errorMessage_.empty() ? reader_.GetLastErrorLocation() : errorLocation_;
}

void CLayoutBuilder::ClearError()
{
    errorMessage_.clear();
    errorLocation_.clear();
}

bool CLayoutBuilder::LoadResource(int resourceId, std::string_view type)
{
    fromResource_ = true;
    resourceType_ = type;
    if (resourceId < 0 || resourceId >= resourceIdLimit || type.empty()) {
        // Nothing of an earlier load may be built by mistake.
        reader_.Load({});
        errorMessage_ = ResourceReader::errorText(ResourceError::CannotOpen);
        errorLocation_ = std::to_string(resourceId);
        return false;
    }
    return reader_.LoadFromFile(std::to_string(resourceId), LayoutEncoding::Utf8, type);
}

bool CLayoutBuilder::LoadFile(std::string_view name)
{
    fromResource_ = false;
    resourceType_.clear();
    return reader_.LoadFromFile(name);
}

CControlUI* CLayoutBuilder::Create(int resourceId, std::string_view type, IDialogBuilderCallback* callback,
                                   CUIManager* manager, CControlUI*)
{
    ClearError();
    if (!LoadResource(resourceId, type))
        return nullptr;
    return Create(callback, manager);
}

CControlUI* CLayoutBuilder::Create(std::string_view source, std::string_view, IDialogBuilderCallback* callback,
                                   CUIManager* manager, CControlUI*)
{
    ClearError();
    bool loaded;
    if (!source.empty() && source.front() == '<') {
        fromResource_ = false;
        resourceType_.clear();
        loaded = reader_.Load(source);
    } else {
        loaded = LoadFile(source);
    }
    if (!loaded)
        return nullptr;
    return Create(callback, manager);
}

CControlUI* CLayoutBuilder::Create(IDialogBuilderCallback* callback, CUIManager* manager)
{
    ClearError();
    Context context;
    context.callback = callback;
    context.manager = manager;
    std::vector<CControlUI*> topLevel;
    const bool built = Build(context, nullptr, 1, topLevel);
    if (!built) {
        errorMessage_ = context.errorMessage;
        errorLocation_ = context.errorLocation;
    }
    // Only the first top-level control is handed out; nothing else would
    // ever own the rest.
    for (std::size_t i = built ? 1 : 0; i < topLevel.size(); ++i)
        delete topLevel[i];
    return built && !topLevel.empty() ? topLevel.front() : nullptr;
}

bool CLayoutBuilder::Fail(Context& context, std::string_view message, std::string_view location)
{
    context.errorMessage = message;
    context.errorLocation = firstCharacters(location, CLayoutReader::maxErrorLocation);
    return false;
}

bool CLayoutBuilder::Build(Context& context, CControlUI* parent, int depth, std::vector<CControlUI*>& topLevel)
{
    const CLayoutElement root = reader_.GetRoot();
    if (!root)
        return true;
    if (context.manager) {
        ApplyResources(context, root);
        if (context.manager->GetPaintWindow() != platform::NoWindow && root.GetName() == "Window")
            ApplyWindowAttributes(*context.manager, root);
    }
    return BuildList(context, root, parent, depth, topLevel);
}

void CLayoutBuilder::ApplyResources(Context& context, CLayoutElement root)
{
    CUIManager& manager = *context.manager;
    for (CLayoutElement element = root.GetFirstChild(); element; element = element.GetNextSibling()) {
        const std::string name = element.GetName();
        if (name == "Image") {
            const std::string image = element.GetAttributeValue("name");
            if (!image.empty())
                manager.CacheImage(image, element.GetAttributeValue("restype"),
                                   AttributeValue::Colour(element.GetAttributeValue("mask")));
        } else if (name == "Font") {
            const std::string face = element.GetAttributeValue("name");
            if (face.empty())
                continue;
            platform::FontDescription font = platform::FontSystem::defaultGuiFontDescription();
            font.face = face;
            font.height = element.HasAttribute("size") ? AttributeValue::Integer(element.GetAttributeValue("size"))
                                                       : defaultFontSize;
            font.bold = AttributeValue::Boolean(element.GetAttributeValue("bold"));
            font.underline = AttributeValue::Boolean(element.GetAttributeValue("underline"));
            font.italic = AttributeValue::Boolean(element.GetAttributeValue("italic"));
            manager.RegisterFont(font);
            if (AttributeValue::Boolean(element.GetAttributeValue("default")))
                manager.SetDefaultFont(font);
        } else if (name == "Default") {
            const std::string control = element.GetAttributeValue("name");
            if (!control.empty())
                manager.AddDefaultAttributes(control, element.GetAttributeValue("value"));
        }
    }
}

void CLayoutBuilder::ApplyWindowAttributes(CUIManager& manager, CLayoutElement root)
{
    for (std::size_t i = 0; i < root.GetAttributeCount(); ++i) {
        const std::string name = root.GetAttributeName(i);
        const std::string value = root.GetAttributeValue(i);
        if (name == "size") {
            const AttributeValue::Pair size = AttributeValue::ReadPair(value);
            manager.SetInitSize(size.cx, size.cy);
        } else if (name == "sizebox") {
            manager.SetSizeBox(AttributeValue::ReadRect(value));
        } else if (name == "caption") {
            manager.SetCaptionRect(AttributeValue::ReadRect(value));
        } else if (name == "roundcorner") {
            const AttributeValue::Pair corner = AttributeValue::ReadPair(value);
            manager.SetRoundCorner(corner.cx, corner.cy);
        } else if (name == "mininfo") {
            const AttributeValue::Pair size = AttributeValue::ReadPair(value);
            manager.SetMinInfo(size.cx, size.cy);
        } else if (name == "maxinfo") {
            const AttributeValue::Pair size = AttributeValue::ReadPair(value);
            manager.SetMaxInfo(size.cx, size.cy);
        } else if (name == "showdirty") {
            manager.SetShowDirty(AttributeValue::Boolean(value));
        } else if (name == "alpha") {
            manager.SetTransparent(AttributeValue::Integer(value));
        } else if (name == "bktrans") {
            manager.SetKeepBackground(AttributeValue::Boolean(value));
        } else if (name == "disabledfontcolor") {
            manager.SetDefaultDisabledColor(AttributeValue::Colour(value));
        } else if (name == "defaultfontcolor") {
            manager.SetDefaultFontColor(AttributeValue::Colour(value));
        } else if (name == "linkfontcolor") {
            manager.SetDefaultLinkFontColor(AttributeValue::Colour(value));
        } else if (name == "linkhoverfontcolor") {
            manager.SetDefaultLinkHoverFontColor(AttributeValue::Colour(value));
        } else if (name == "selectedcolor") {
            manager.SetDefaultSelectedBkColor(AttributeValue::Colour(value));
        }
    }
}

bool CLayoutBuilder::BuildList(Context& context, CLayoutElement list, CControlUI* parent, int depth,
                               std::vector<CControlUI*>& topLevel)
{
    for (CLayoutElement element = list.GetFirstChild(); element; element = element.GetNextSibling()) {
        const std::string name = element.GetName();
        if (name == "Image" || name == "Font" || name == "Default")
            continue;
        const bool built = name == "Include" && element.GetAttributeCount() > 0
                               ? BuildInclude(context, element, parent, depth, topLevel)
                               : BuildControl(context, element, parent, depth, topLevel);
        if (!built)
            return false;
    }
    return true;
}

bool CLayoutBuilder::BuildInclude(Context& context, CLayoutElement element, CControlUI* parent, int depth,
                                  std::vector<CControlUI*>& topLevel)
{
    const std::string source = element.GetAttributeValue("source");
    if (context.includeDepth >= maxIncludeDepth)
        return Fail(context, includesTooDeep, source);
    const int count = element.HasAttribute("count") ? AttributeValue::Integer(element.GetAttributeValue("count")) : 1;
    if (count <= 0)
        return true;
    CLayoutBuilder included;
    const bool loaded = fromResource_ ? included.LoadResource(AttributeValue::Integer(source), resourceType_)
                                      : included.LoadFile(source);
    // A layout that cannot be read adds nothing, as a failed Create would.
    if (!loaded)
        return true;
    ++context.includeDepth;
    for (int i = 0; i < count; ++i) {
        // Every build of an included layout counts against the limit, so
        // that a large count of an empty layout is bounded too.
        if (++context.controls > maxControls)
            return Fail(context, tooManyControls, source);
        if (!included.Build(context, parent, depth, topLevel))
            return false;
    }
    --context.includeDepth;
    return true;
}

bool CLayoutBuilder::BuildControl(Context& context, CLayoutElement element, CControlUI* parent, int depth,
                                  std::vector<CControlUI*>& topLevel)
{
    const std::string name = element.GetName();
    if (depth > maxControlDepth)
        return Fail(context, controlsTooDeep, name);
    CControlUI* control = ControlFactory::Create(name);
    if (!control && context.callback)
        control = context.callback->CreateCustomControl(name);
    if (!control)
        return true;
    if (++context.controls > maxControls) {
        delete control;
        return Fail(context, tooManyControls, name);
    }
    // The children first: a control takes its attributes once it holds them.
    if (element.HasChildren() && !BuildList(context, element, control, depth + 1, topLevel)) {
        delete control;
        return false;
    }
    if (parent) {
        auto* container = static_cast<IContainerUI*>(parent->AsInterface("IContainer"));
        if (!container) {
            delete control;
            return Fail(context, parentNotContainer, name);
        }
        if (!container->Add(control)) {
            delete control;
            return true;
        }
    } else {
        topLevel.push_back(control);
    }

    CUIManager* manager = context.manager;
    if (manager) {
        // Bound for the attributes only (fonts, option groups, scroll bar
        // styles); the real binding comes when the tree is attached.
        control->SetManager(manager, parent, false);
        if (const std::optional<std::string> defaults = manager->LookupDefaultAttributes(name))
            control->ApplyAttributeString(*defaults);
    }
    for (std::size_t i = 0; i < element.GetAttributeCount(); ++i)
        control->ApplyAttribute(element.GetAttributeName(i), element.GetAttributeValue(i));
    if (parent && element.HasAttribute("stretch"))
        if (auto* dialog = static_cast<CDialogLayoutUI*>(parent->AsInterface("DialogLayout")))
            dialog->SetStretchMode(control, stretchFlags(element.GetAttributeValue("stretch")));
    if (manager) {
        control->SetManager(nullptr, parent, false);
        // An attribute may have focused a control of the tree (a tab
        // layout's selectedid focuses its page); the manager must not keep
        // a control it no longer reaches, which may never be attached.
        if (CControlUI* focus = manager->GetFocus(); focus && focus->GetManager() != manager)
            manager->ReapObjects(focus);
    }
    return true;
}

} // namespace pelmo::ui
