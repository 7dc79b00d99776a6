#pragma once
// Shows errors one at a time. While a report is on screen the refresh timer keeps
// firing. A report raised by a failing tick holds the ticks back until it closes, so
// that failing ticks neither stack boxes nor start an exchange from inside the open
// box's event loop; any other report (a failed save, say) lets recording go on.

#include <QString>
#include <functional>
#include <utility>

namespace dp {

// What the user is told when memory runs out; the program goes on.
inline constexpr const char* kOutOfMemory = "Out of memory";

class ErrorReporter {
public:
    using Presenter = std::function<void(const QString&)>;
    explicit ErrorReporter(Presenter presenter) : presenter_(std::move(presenter)) {}

    // Returns whether the report was shown: not while another box is up, which
    // already has the user's attention.
    bool report(const QString& text, bool fromFailingTick = false)
    {
        if (showing_) return false;
        showing_ = true;
        holdsTicks_ = fromFailingTick;
        presenter_(text);
        showing_ = holdsTicks_ = false;
        return true;
    }
    bool isShowing() const { return showing_; }
    bool holdsTicks() const { return holdsTicks_; }

private:
    Presenter presenter_;
    bool showing_ = false;
    bool holdsTicks_ = false;
};

}  // namespace dp
