#pragma once
#include <QFrame>
#include <QString>
#include <utility>
#include <vector>

class QCustomPlot;

// A gather of seismic traces drawn as wiggles: one trace per column, side by side, each a
// line that swings right for a positive amplitude with the positive lobes filled black, on a
// time axis that grows downwards (left, ms). Beside the time axis on the right stands a
// second scale whose labels the owner gives (the depth at given times, say). The traces share
// one amplitude scale: the largest amplitude of the gather swings most of the way to the next
// trace.
class WiggleGather : public QFrame {
    Q_OBJECT
  public:
    explicit WiggleGather(QWidget* parent = nullptr);

    // traces[k][i] is the amplitude of trace k at time i * stepMs; labels name the traces
    // along the top ("0", "10", ...). All traces have one length.
    void setTraces(const std::vector<std::vector<double>>& traces, double stepMs,
                   const std::vector<QString>& labels);
    // The labels of the right-hand scale: each at its time (ms).
    void setSideScale(const QString& title, const std::vector<std::pair<double, QString>>& marks);
    void setTitle(const QString& title);

    int traceCount() const { return traceCount_; }
    int sampleCount() const { return sampleCount_; }
    // The time axis shown, in ms: top and bottom.
    std::pair<double, double> timeRange() const;
    QString title() const;

    QCustomPlot* plot() const { return plot_; }  // for printing, export and pictures

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    QCustomPlot* plot_ = nullptr;
    int traceCount_ = 0;
    int sampleCount_ = 0;
};
