#pragma once
// The log viewer: a channel grid of forty chart boxes, a navigation panel with the
// time label and four channel readouts, and two charts. It keeps no data of its
// own: it reads the log and moves the log's cursor.

#include <QWidget>
#include <array>
#include <bitset>
#include <cstddef>
#include <limits>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;

namespace dp {

class SampleLog;
class ViewerChart;

class TForm2 : public QWidget {
    Q_OBJECT
public:
    // A top-level window of its own, owned by no other window, with its own taskbar entry.
    explicit TForm2(SampleLog& log);

    // Controls.
    std::array<QLabel*, 20> Label{};         // Label1 .. Label20, by channel
    std::array<QCheckBox*, 40> sCheckBox{};  // sCheckBox1 .. 40: channel i has 2i+1 ("Graf 1"), 2i+2 ("Graf 2")
    QFrame* sPanel1 = nullptr;
    QPushButton *sButton1 = nullptr, *sButton2 = nullptr, *sButton3 = nullptr;
    QPushButton *sButton4 = nullptr, *sButton5 = nullptr, *sButton6 = nullptr;
    QLabel* sLabel1 = nullptr;
    std::array<QComboBox*, 4> sComboBox{};  // sComboBox1 .. 4
    // The readout panels under sComboBox1 .. 4.
    QLabel *sPanel2 = nullptr, *sPanel3 = nullptr, *sPanel4 = nullptr, *sPanel5 = nullptr;
    ViewerChart* Chart1 = nullptr;
    ViewerChart* Chart2 = nullptr;

    // Operations.
    void LayoutCharts();
    void ShowCursorSample();
    // Refills every line series of both charts from the whole log.
    void RebuildCharts();
    // Puts the cursor bar of both charts at time t.
    void MoveCursorBar(double t);
    // After recording appended to the log: adds only the new samples' points when the
    // charts hold the rest of the log, otherwise rebuilds. Either way the charts then
    // hold what RebuildCharts would give.
    void FollowRecording();

    // Handlers.
    void FormShow();
    void FormResize();
    void sCheckBoxClick();  // the forty boxes share it
    void sButton1Click();
    void sButton2Click();
    void sButton3Click();
    void sButton4Click();
    void sButton5Click();
    void sButton6Click();
    void sComboBoxChange();  // the four channel selections share it

    // The channel picked in a combo box, or -1 when no list item is selected.
    static int SelectedChannel(const QComboBox* box);
    bool Graf1(int channel) const;
    bool Graf2(int channel) const;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildControls();
    void AnchorPanelButtons();
    std::bitset<40> TickedBoxes() const;

    SampleLog& log_;
    bool centred_ = false;
    // What the charts were last filled from: the log's generation, how many of its
    // samples they cover, the latest time among them and the boxes ticked then.
    std::size_t plottedGeneration_ = 0;
    std::size_t plottedCount_ = 0;
    double plottedUntil_ = -std::numeric_limits<double>::infinity();
    std::bitset<40> plottedBoxes_;
};

}  // namespace dp
