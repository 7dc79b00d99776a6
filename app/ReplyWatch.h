#pragma once
// Notices a unit that has stopped answering while it is being read. Silence is never an
// error, so nothing is reported; the main window shows a quiet status text instead.

#include <QString>

namespace dp {

class ReplyWatch {
public:
    // How long a reading unit may stay silent before the status says so.
    static constexpr double kQuietSeconds = 3.0;

    // After every reading tick, with the tick's time in seconds (MonotonicSeconds).
    void Reading(bool answered, double nowSeconds);
    // Reading stopped or the connection closed: the next reading starts afresh.
    void Stopped();

    // "нет ответа" while the unit is silent for longer than kQuietSeconds, else empty.
    QString StatusText() const;
    // The same words for a unit that did not answer a connect.
    static QString NoAnswerText() { return QStringLiteral("нет ответа"); }
    bool Silent() const { return silent_; }

private:
    bool watching_ = false;
    double lastAnswerSeconds_ = 0;
    bool silent_ = false;
};

}  // namespace dp
