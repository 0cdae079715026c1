#pragma once
#include <qcustomplot.h>

#include <cstddef>
#include <memory>
#include <span>
#include <vector>

// The samples of one curve: depths[i] and values[i] form one sample (NaN value: a null
// sample, drawn as a gap). The spans stay valid until the source is asked again or the data
// behind it changes, so a drawing asks once and uses the view at once.
struct CurveView {
    std::span<const double> depths;
    std::span<const double> values;
    std::size_t size() const { return std::min(depths.size(), values.size()); }
};

class CurveSource {
  public:
    virtual ~CurveSource() = default;
    virtual CurveView view() const = 0;
};

// Samples the curve owns itself (chart copies, tests).
class OwnedCurve : public CurveSource {
  public:
    OwnedCurve(std::vector<double> depths, std::vector<double> values)
        : depths_(std::move(depths)), values_(std::move(values)) {}
    CurveView view() const override { return {depths_, values_}; }

  private:
    std::vector<double> depths_;
    std::vector<double> values_;
};

// A well-log curve drawn as stairs against a vertical depth axis: each value is held from
// its depth down to the next sample's depth. It reads its samples from a CurveSource at
// every drawing instead of holding a copy, so a track over a column of the work table costs
// no memory of its own.
//
// Drawing only visits the samples in the shown depth range (found by binary search when the
// depths are ordered, as logs are, upwards or downwards) and, when there are more samples
// than pixel rows, draws one short horizontal stroke per pixel row from the smallest to the
// largest value in it, so a million-sample curve draws as fast as a few thousand. On a
// logarithmic value axis, zero and negative values are gaps.
class DepthCurve : public QCPAbstractPlottable {
    Q_OBJECT
  public:
    DepthCurve(QCPAxis* depthAxis, QCPAxis* valueAxis);

    void setSource(std::shared_ptr<const CurveSource> source);
    const std::shared_ptr<const CurveSource>& source() const { return source_; }
    CurveView view() const;

    // The sample whose step holds the given depth (the last one at or above it, in the
    // order of the samples); -1 when none.
    long sampleAtDepth(double depth) const;

    double selectTest(const QPointF& pos, bool onlySelectable,
                      QVariant* details = nullptr) const override;
    QCPRange getKeyRange(bool& foundRange,
                         QCP::SignDomain inSignDomain = QCP::sdBoth) const override;
    QCPRange getValueRange(bool& foundRange, QCP::SignDomain inSignDomain = QCP::sdBoth,
                           const QCPRange& inKeyRange = QCPRange()) const override;

  protected:
    void draw(QCPPainter* painter) override;
    void drawLegendIcon(QCPPainter* painter, const QRectF& rect) const override;

  private:
    std::shared_ptr<const CurveSource> source_;
};
