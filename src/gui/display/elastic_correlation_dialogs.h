#pragma once
#include <QColor>
#include <QDialog>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>

class DialogSeam;
class QComboBox;
class QLabel;
class QPushButton;

// "Selection": the density and gamma-ray curves of the fifth combination track. Each box
// lists the curves recognised for its role, shows the first of them and takes a typed
// name too. "Ok" accepts and is enabled only while both boxes hold a name; "Cancel" (or
// Escape) rejects.
class Tdgselection : public QDialog {
    Q_OBJECT
  public:
    Tdgselection(const QStringList& densityLogs, const QStringList& gammaRayLogs,
                 QWidget* parent = nullptr);

    QString ChosenDensity() const;
    QString ChosenGammaRay() const;
    QComboBox* densityBox() const { return densityBox_; }
    QComboBox* gammaRayBox() const { return gammaRayBox_; }
    QPushButton* okButton() const { return ok_; }

  public slots:
    void confirm();  // Ok
    void cancel();   // Cancel

  private:
    void updateOk();

    QComboBox* densityBox_ = nullptr;
    QComboBox* gammaRayBox_ = nullptr;
    QPushButton* ok_ = nullptr;
};

// "Change Color": the colours of the two curves of a combination track. A click on a
// swatch asks for a colour (the colour dialog opens on the colour last chosen here, black at
// first) and applies it to the track at once: the curve, its axis title and its axis line.
// "Ok" keeps the changes; "Cancel", Escape and the close box reject, and the caller puts
// the track's colours back as they were.
class TElasticChangeColor : public QDialog {
    Q_OBJECT
  public:
    // apply(swatch, colour): swatch 1 is the top curve, 2 the bottom curve.
    using Apply = std::function<void(int swatch, const QColor& colour)>;
    TElasticChangeColor(const QString& caption1, const QString& caption2, const QColor& colour1,
                        const QColor& colour2, Apply apply, DialogSeam& seam,
                        QWidget* parent = nullptr);

    QLabel* caption(int swatch) const { return captions_[swatch == 1 ? 0 : 1]; }
    QPushButton* swatch(int swatch) const { return swatches_[swatch == 1 ? 0 : 1]; }
    QColor swatchColour(int swatch) const { return colours_[swatch == 1 ? 0 : 1]; }

  public slots:
    // Asks for the swatch's colour; true when one was chosen and applied.
    bool chooseSwatch(int swatch);
    void confirm();  // Ok
    void cancel();   // Cancel

  private:
    void fill(int swatch, const QColor& colour);

    Apply apply_;
    DialogSeam& seam_;
    std::array<QLabel*, 2> captions_{};
    std::array<QPushButton*, 2> swatches_{};
    std::array<QColor, 2> colours_;
    QColor lastChosen_ = Qt::black;
};
