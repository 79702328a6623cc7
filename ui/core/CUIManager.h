#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/graphics/FontDescription.h"
#include "platform/graphics/Rect.h"
#include "platform/graphics/Surface.h"
#include "platform/window/WindowTypes.h"
#include "ui/core/CControlUI.h"
#include "ui/core/IMessageFilterUI.h"
#include "ui/core/INotifyUI.h"
#include "ui/core/UINotification.h"
#include "ui/core/UITimerTable.h"
#include "ui/core/UITooltip.h"
#include "ui/painter/UIPaintResources.h"
#include "ui/resources/LoadedImage.h"

namespace pelmo::platform {
class Font;
class WindowSystem;
} // namespace pelmo::platform

namespace pelmo::ui {

class ResourceModule;

// The private message on which controls queued for deletion are destroyed.
constexpr unsigned UIMSG_DELAYED_CLEANUP = 0x8001;

// One per window: holds the window's control tree and turns the window's
// messages into control events (focus, capture, hover, tooltips, timers,
// wheel, keys) and named notifications for the window's listeners. It owns
// the root control and its tree, the window's fonts, images and default
// attribute lists, and the controls and notifications waiting in its queues.
class CUIManager {
public:
    CUIManager();
    ~CUIManager();
    CUIManager(const CUIManager&) = delete;
    CUIManager& operator=(const CUIManager&) = delete;

    void Init(platform::WindowHandle window);
    platform::WindowHandle GetPaintWindow() const { return window_; }
    platform::WindowSystem& Windows() const;

    bool AttachRoot(CControlUI* root);
    CControlUI* GetRoot() const { return root_; }
    // Binds a control (and its subtree) to this manager under `parent`,
    // initialising it and entering its names.
    void InitControls(CControlUI* control, CControlUI* parent);
    // A control is going away: it stops being focus, hover, click or key
    // control, loses its timers and its name entry, and queued
    // notifications forget it.
    void ReapObjects(CControlUI* control);

    CControlUI* LookupControl(std::string_view name) const;
    CControlUI* LookupControl(platform::Point point) const;
    // Every control of the tree the predicate accepts, in tree order.
    std::vector<CControlUI*> LookupControls(FindControlProc proc, void* data, unsigned flags) const;

    CControlUI* GetFocus() const { return focus_; }
    void SetFocus(CControlUI* control);
    // Moves the focus to the next (or previous) control that takes the Tab
    // key, after the next layout if one is pending.
    bool SetNextTabControl(bool forward = true);
    CControlUI* GetHover() const { return hover_; }
    CControlUI* GetClickControl() const { return click_; }

    bool SetTimer(CControlUI* control, unsigned id, unsigned milliseconds);
    bool KillTimer(CControlUI* control, unsigned id);
    void KillTimer(CControlUI* control);
    void KillAllTimers();
    std::size_t TimerCount() const { return timers_.Size(); }

    void SetCapture();
    void ReleaseCapture();
    bool IsCaptured() const { return captured_; }

    bool AddNotificationListener(INotifyUI* listener);
    bool RemoveNotificationListener(INotifyUI* listener);
    bool AddMessagePrefilter(IMessageFilterUI* filter);
    bool RemoveMessagePrefilter(IMessageFilterUI* filter);
    bool AddMessageListener(IMessageFilterUI* filter);
    bool RemoveMessageListener(IMessageFilterUI* filter);
    bool AddAfterPaint(CControlUI* control);
    bool RemoveAfterPaint(CControlUI* control);

    // Unbinds the control from its parent and destroys it at the window's
    // next private cleanup message.
    void QueueForDeletion(CControlUI* control);

    void DispatchNotification(CControlUI* sender, std::string_view type, platform::WParam wParam = 0,
                              platform::LParam lParam = 0, bool async = false);
    void DispatchNotification(UINotification& notification, bool async = false);

    void JoinOptionGroup(std::string_view group, CControlUI* option);
    const std::vector<CControlUI*>* OptionGroupMembers(std::string_view group) const;
    void LeaveOptionGroup(std::string_view group, CControlUI* option);
    void ClearOptionGroups();

    int RegisterFont(const platform::FontDescription& description);
    // An index outside this window's list asks the parent manager, then
    // yields the default font.
    const platform::Font& GetFont(int index) const;
    void SetDefaultFont(const platform::FontDescription& description);
    const platform::FontDescription& DefaultFontDescription() const { return defaultFont_; }
    int DefaultFontHeight() const;

    const LoadedImage* CacheImage(std::string_view name, std::string_view type = {}, std::uint32_t mask = 0);
    const LoadedImage* FindImage(std::string_view name) const;
    const LoadedImage* FindOrLoadImage(std::string_view name, std::string_view type = {}, std::uint32_t mask = 0);
    bool DropImage(std::string_view name);
    void DropAllImages();
    void ReloadImages();

    void AddDefaultAttributes(std::string_view element, std::string_view list);
    // This window's list, else the parent manager's; none when neither has one.
    std::optional<std::string> LookupDefaultAttributes(std::string_view element) const;

    void SetParentManager(CUIManager* parent) { parentManager_ = parent; }
    CUIManager* GetParentManager() const { return parentManager_; }

    // Window settings from the layout.
    void SetInitSize(int cx, int cy);
    UISize GetInitSize() const { return initSize_; }
    void SetSizeBox(const Rect& box) { sizeBox_ = box; }
    const Rect& GetSizeBox() const { return sizeBox_; }
    void SetCaptionRect(const Rect& caption) { caption_ = caption; }
    const Rect& GetCaptionRect() const { return caption_; }
    void SetRoundCorner(int cx, int cy) { roundCorner_ = UISize{cx, cy}; }
    UISize GetRoundCorner() const { return roundCorner_; }
    void SetMinInfo(int cx, int cy) { minInfo_ = UISize{cx, cy}; }
    UISize GetMinInfo() const { return minInfo_; }
    void SetMaxInfo(int cx, int cy) { maxInfo_ = UISize{cx, cy}; }
    UISize GetMaxInfo() const { return maxInfo_; }
    // Window opacity 0-255; above 255 the window is opaque again.
    void SetTransparent(int alpha) { alpha_ = alpha; }
    int GetTransparent() const { return alpha_; }
    void SetKeepBackground(bool keep) { keepBackground_ = keep; }
    void SetShowDirty(bool show) { showDirty_ = show; }
    void SetOffscreenPaint(bool offscreen) { offscreen_ = offscreen; }
    void SetDefaultDisabledColor(std::uint32_t colour) { resources_.disabledTextColour = colour; }
    void SetDefaultFontColor(std::uint32_t colour) { resources_.textColour = colour; }
    void SetDefaultLinkFontColor(std::uint32_t colour) { resources_.linkColour = colour; }
    void SetDefaultLinkHoverFontColor(std::uint32_t colour) { resources_.linkHoverColour = colour; }
    void SetDefaultSelectedBkColor(std::uint32_t colour) { resources_.selectedBackgroundColour = colour; }
    UIPaintResources& PaintResources() { return resources_; }

    platform::Point GetMousePos() const { return mouse_; }
    void Invalidate(const Rect& rect);
    void NeedUpdate() { updateNeeded_ = true; }
    bool IsUpdateNeeded() const { return updateNeeded_; }
    platform::WindowHandle GetTooltipWindow() const { return tooltip_.Window(); }

    // The window's message handling; true when the message was handled,
    // with `result` set. The window's own handler calls it last.
    bool HandleWindowMessage(unsigned message, platform::WParam wParam, platform::LParam lParam,
                             platform::LResult& result);
    // The handling before translation: pre-message filters, Tab, Alt
    // shortcuts, system keys. True when the message was consumed.
    bool PreMessageHandling(const platform::WindowMessage& message, platform::LResult& result);

    // The process-wide loop: each message is offered to the pre-message
    // handling of the manager of its window (or of the window a child
    // window belongs to), then translated and dispatched, until WM_QUIT.
    // Returns the quit message's exit code.
    static int RunMessageLoop();
    // The pre-message step of the loop for one message.
    static bool TranslateMessage(const platform::WindowMessage& message);
    static const std::vector<CUIManager*>& Managers();

    // Process-wide resource settings.
    static void SetSkinFolder(std::string_view path);
    static void SetSkinArchive(std::string_view name);
    static void SetLayoutModule(const ResourceModule* module);
    static void SetProgramModule(const ResourceModule* module);
    static std::string GetModuleFolder();

private:
    UIEvent MakeEvent(UIEventType type, CControlUI* sender, platform::WParam wParam = 0,
                      platform::LParam lParam = 0) const;
    std::uint16_t KeyState() const;
    void SendEvent(CControlUI* control, UIEvent event);
    void DeliverQueuedNotifications();
    void Paint();
    void DestroyDelayedCleanup();
    void RegisterNames(CControlUI* control);
    bool HandleMouseMove(platform::LParam lParam);
    void ShowTooltip();
    void HideTooltip();

    platform::WindowHandle window_ = platform::NoWindow;
    CControlUI* root_ = nullptr;
    CControlUI* focus_ = nullptr;
    CControlUI* hover_ = nullptr;
    CControlUI* click_ = nullptr;
    CControlUI* keyControl_ = nullptr;
    platform::Point mouse_{-1, -1};
    bool firstLayout_ = true;
    bool updateNeeded_ = false;
    bool focusNeeded_ = false;
    bool offscreen_ = true;
    bool keepBackground_ = false;
    bool showDirty_ = false;
    bool mouseTracking_ = false;
    bool captured_ = false;
    platform::Surface background_;
    UISize initSize_;
    Rect sizeBox_;
    Rect caption_;
    UISize roundCorner_;
    UISize minInfo_;
    UISize maxInfo_;
    int alpha_ = 256;
    UITooltip tooltip_;
    UITimerTable timers_;

    std::vector<INotifyUI*> notifiers_;
    std::vector<IMessageFilterUI*> preFilters_;
    std::vector<IMessageFilterUI*> filters_;
    std::vector<CControlUI*> postPaint_;
    std::vector<CControlUI*> delayedCleanup_;
    std::vector<UINotification> asyncNotifications_;
    std::map<std::string, CControlUI*, std::less<>> names_;
    std::map<std::string, std::vector<CControlUI*>, std::less<>> optionGroups_;
    std::map<std::string, std::string, std::less<>> defaultAttributes_;
    platform::FontDescription defaultFont_;
    UIPaintResources resources_;
    CUIManager* parentManager_ = nullptr;
    // Lets a handler that runs inside this manager's loops find out whether
    // the manager survived it.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace pelmo::ui
