#pragma once
#include <QDialog>
#include <QImage>
#include <QSize>
#include <QString>

class QCustomPlot;
class QComboBox;
class QSpinBox;
class QLabel;
class QCheckBox;
class DialogSeam;

// Picture formats a chart is exported in. PNG, JPEG and BMP are pixel pictures of the
// chosen size; PDF and SVG are drawn as lines and text on a page of that size.
enum class PictureFormat { Png, Jpeg, Bmp, Pdf, Svg };

struct PictureFormatInfo {
    PictureFormat format;
    const char* name;    // shown in the dialog
    const char* suffix;  // without the dot
    const char* filter;  // for the save dialog
};
const PictureFormatInfo& pictureFormatInfo(PictureFormat format);

// The chart drawn at the given size in pixels, on a white background.
QImage chartImage(QCustomPlot& plot, QSize size);

// Writes the chart as a picture file. The file is written beside the target and renamed over
// it when complete, so a failed export never leaves half a picture in place of a good one.
// Returns an empty text on success, else the message to show.
QString exportChart(QCustomPlot& plot, const QString& path, PictureFormat format, QSize size);

// The export dialog of every chart of the program: a format, a size in pixels (width and
// height, proportional to the chart's own unless told otherwise), "Save..." (asks for the
// file through the dialog seam) and "Copy to clipboard". It works on the plot it is given
// and changes nothing in it.
class ChartExportDialog : public QDialog {
    Q_OBJECT
  public:
    ChartExportDialog(QCustomPlot& plot, DialogSeam& seam, QWidget* parent = nullptr);

    void setFormat(PictureFormat format);
    PictureFormat format() const;
    void setPictureSize(QSize size);
    QSize pictureSize() const;
    // The file written by the last successful save.
    QString savedPath() const { return savedPath_; }

  public slots:
    // Asks for a file name and writes the picture; the dialog closes when written, and
    // shows the message and stays open when not.
    bool save();
    void copyToClipboard();

  private:
    void widthChanged(int w);
    void heightChanged(int h);

    QCustomPlot& plot_;
    DialogSeam& seam_;
    QComboBox* format_ = nullptr;
    QSpinBox* width_ = nullptr;
    QSpinBox* height_ = nullptr;
    QCheckBox* proportional_ = nullptr;
    QLabel* note_ = nullptr;
    double aspect_ = 1;
    bool adjusting_ = false;
    QString savedPath_;
};
