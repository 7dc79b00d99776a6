#pragma once
// The log viewer window.

#include <QWidget>

namespace dp {

class SampleLog;

class TForm2 : public QWidget {
    Q_OBJECT
public:
    explicit TForm2(SampleLog& log, QWidget* parent = nullptr);
    // Refills the charts from the whole log.
    void RebuildCharts();

private:
    SampleLog& log_;
};

}  // namespace dp
