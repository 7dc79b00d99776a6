#pragma once
// Shows errors one at a time. While a report is on screen the refresh timer keeps
// firing; ticks ask isShowing() and stay away from the port, so failing ticks neither
// stack boxes nor start an exchange from inside the open box's event loop.

#include <QString>
#include <functional>
#include <utility>

namespace dp {

class ErrorReporter {
public:
    using Presenter = std::function<void(const QString&)>;
    explicit ErrorReporter(Presenter presenter) : presenter_(std::move(presenter)) {}

    void report(const QString& text)
    {
        if (showing_) return;  // the open box already tells the user
        showing_ = true;
        presenter_(text);
        showing_ = false;
    }
    bool isShowing() const { return showing_; }

private:
    Presenter presenter_;
    bool showing_ = false;
};

}  // namespace dp
