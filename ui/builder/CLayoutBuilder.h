#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "ui/builder/CLayoutElement.h"
#include "ui/builder/CLayoutReader.h"

namespace pelmo::ui {

class CControlUI;
class CUIManager;
class IDialogBuilderCallback;

// Turns a layout into a tree of controls. The root element's children are
// the layout's top level: `Image`, `Font` and `Default` elements register
// images, fonts and default attribute lists with the window's manager (only
// when one is given), `Include` elements insert other layouts, and every
// other element creates a control (a framework class, else whatever the
// callback makes of the name; an element nobody knows is skipped with
// everything inside it). A control's child elements are built first, then
// the control joins its parent, takes the default attribute list of its
// element name and then its own attributes in document order. A root named
// `Window` gives its attributes to the manager of a window.
//
// The result is the first control of the top level. It is attached to
// nothing: the caller attaches it (CUIManager::AttachRoot, or as a child),
// and owns it until then. Other top-level controls are destroyed.
//
// Nesting is bounded so that no layout exhausts the stack of the builder or
// of the control tree's own recursive operations, and size so that includes
// cannot multiply a small text into an endless one: controls nested more
// than maxControlDepth deep, includes nested more than maxIncludeDepth deep,
// or more than maxControls controls (each build of an included layout
// counting as one more) fail the whole build with a clear message. A child
// element under a control that is not a container fails it too.
//
// One builder per load; it keeps the text it loaded until it is destroyed.
class CLayoutBuilder {
public:
    static constexpr int maxControlDepth = 256;
    static constexpr int maxIncludeDepth = 16;
    static constexpr std::size_t maxControls = 65536;

    // The build's own messages; the reader's and the resource reader's are
    // reported as they are.
    static constexpr std::string_view controlsTooDeep = "Controls nested too deeply";
    static constexpr std::string_view includesTooDeep = "Includes nested too deeply";
    static constexpr std::string_view tooManyControls = "Too many controls";
    static constexpr std::string_view parentNotContainer = "Parent is not a container";

    CLayoutBuilder();
    ~CLayoutBuilder();
    CLayoutBuilder(const CLayoutBuilder&) = delete;
    CLayoutBuilder& operator=(const CLayoutBuilder&) = delete;

    // Loads and builds the module resource of that id (below 0x10000) and
    // resource type (matched without regard to case; the program's layouts
    // are "XML"). Includes of the layout name resources of the same type by
    // their decimal ids. `parent` is not used: the result is not attached.
    CControlUI* Create(int resourceId, std::string_view type, IDialogBuilderCallback* callback = nullptr,
                       CUIManager* manager = nullptr, CControlUI* parent = nullptr);
    // A source that begins with "<" is the layout text itself; any other is
    // a file name in the skin folder (or archive). Includes then name files.
    // `type` and `parent` are not used.
    CControlUI* Create(std::string_view source, std::string_view type = {}, IDialogBuilderCallback* callback = nullptr,
                       CUIManager* manager = nullptr, CControlUI* parent = nullptr);
    // Builds again from the text already loaded.
    CControlUI* Create(IDialogBuilderCallback* callback = nullptr, CUIManager* manager = nullptr);

    const CLayoutReader& GetReader() const { return reader_; }
    // Why the last load or build failed: the reader's message and location,
    // or the build's own; empty after a success.
    const std::string& GetLastErrorMessage() const;
    const std::string& GetLastErrorLocation() const;

private:
    // What one build shares with the builds of its includes.
    struct Context {
        IDialogBuilderCallback* callback = nullptr;
        CUIManager* manager = nullptr;
        int includeDepth = 0;
        std::size_t controls = 0;
        std::string errorMessage;
        std::string errorLocation;
    };

    bool LoadResource(int resourceId, std::string_view type);
    bool LoadFile(std::string_view name);
    void ClearError();
    // Builds the loaded document; the top-level controls go to `parent`
    // when there is one, else to `topLevel`. False on an error that fails
    // the whole build.
    bool Build(Context& context, CControlUI* parent, int depth, std::vector<CControlUI*>& topLevel);
    void ApplyResources(Context& context, CLayoutElement root);
    static void ApplyWindowAttributes(CUIManager& manager, CLayoutElement root);
    // Processes the child elements of `list` as controls under `parent`
    // (none at the top level), `depth` being their nesting depth.
    bool BuildList(Context& context, CLayoutElement list, CControlUI* parent, int depth,
                   std::vector<CControlUI*>& topLevel);
    bool BuildInclude(Context& context, CLayoutElement element, CControlUI* parent, int depth,
                      std::vector<CControlUI*>& topLevel);
    // Creates, fills and places the control of one element. False on an
    // error that fails the whole build.
    bool BuildControl(Context& context, CLayoutElement element, CControlUI* parent, int depth,
                      std::vector<CControlUI*>& topLevel);
    static bool Fail(Context& context, std::string_view message, std::string_view location);

    CLayoutReader reader_;
    // Where the text came from, which decides what the sources of its
    // includes name.
    bool fromResource_ = false;
    std::string resourceType_;
    std::string errorMessage_;
    std::string errorLocation_;
};

} // namespace pelmo::ui
