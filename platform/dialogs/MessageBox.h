#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pelmo::platform {

enum class MessageIcon { Information, Warning, Error };

// A plain message to the user with an OK button, for problems that come up
// before or outside the program's own skinned popups. The desktop shows a
// window; a command-line tool prints a line; tests record what was shown.
class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual void show(std::string_view caption, std::string_view text, MessageIcon icon) = 0;
};

// One line on standard error per message, without the trailing newlines the
// texts may carry.
class StderrMessageBox final : public MessageBox {
public:
    explicit StderrMessageBox(std::string prefix) : prefix_(std::move(prefix)) {}
    void show(std::string_view caption, std::string_view text, MessageIcon icon) override;

private:
    std::string prefix_;
};

class RecordingMessageBox final : public MessageBox {
public:
    struct Shown {
        std::string caption;
        std::string text;
        MessageIcon icon;
    };
    void show(std::string_view caption, std::string_view text, MessageIcon icon) override
    {
        shown.push_back({std::string(caption), std::string(text), icon});
    }
    std::vector<Shown> shown;
};

} // namespace pelmo::platform
