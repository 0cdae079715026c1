#include "gui/widgets/chart_export.h"

#include <qcustomplot.h>
#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPdfWriter>
#include <QPushButton>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSpinBox>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <array>
#include <cmath>

#include "gui/widgets/dialog_seam.h"
#include "gui/widgets/page_header.h"

namespace {

constexpr std::array<PictureFormatInfo, 5> kFormats{{
    {PictureFormat::Png, "PNG picture", "png", "PNG pictures (*.png)"},
    {PictureFormat::Jpeg, "JPEG picture", "jpg", "JPEG pictures (*.jpg *.jpeg)"},
    {PictureFormat::Bmp, "Bitmap", "bmp", "Bitmap files (*.bmp)"},
    {PictureFormat::Pdf, "PDF document", "pdf", "PDF documents (*.pdf)"},
    {PictureFormat::Svg, "SVG drawing", "svg", "SVG drawings (*.svg)"},
}};
constexpr int kMaxSide = 20000;

// The pixels an inch of the pixel pictures: a PDF page and an SVG drawing take the same, so
// their text has the size it has in the PNG and a viewer shows them at the chosen pixel size.
int pictureDpi() {
    return QImage(1, 1, QImage::Format_RGB32).logicalDpiX();
}

// The drawing's width and height in pixels, as every viewer takes them; the generator gives them
// in millimetres, which viewers turn into pixels at differing resolutions.
QByteArray svgInPixels(QByteArray svg, QSize size) {
    static const QRegularExpression kSize(QStringLiteral(R"(<svg width="[^"]*" height="[^"]*")"));
    const QString text = QString::fromUtf8(svg);
    const auto match = kSize.match(text);
    if (!match.hasMatch()) return svg;
    QString fixed = text;
    fixed.replace(
        match.capturedStart(), match.capturedLength(),
        QStringLiteral(R"(<svg width="%1" height="%2")").arg(size.width()).arg(size.height()));
    return fixed.toUtf8();
}

QString writeError(const QString& path, const QString& why) {
    return QStringLiteral("Cannot write \"%1\": %2").arg(path, why);
}

}  // namespace

const PictureFormatInfo& pictureFormatInfo(PictureFormat format) {
    return kFormats[static_cast<std::size_t>(format)];
}

namespace {

// The header at the picture's top, when there is one, and the chart below it; a picture too
// low to give the chart three times the header's height has no header.
void drawPicture(QCPPainter& painter, QCustomPlot& plot, QSize size) {
    const QString header = pageHeaderText();
    const double margin = 4;
    double band =
        pageHeaderHeight(header, size.width() - 2 * margin, kPictureHeaderPixels, painter.device());
    if (band > 0 && band * 4 <= size.height()) {
        drawPageHeader(painter, QPointF(margin, margin / 2), size.width() - 2 * margin,
                       kPictureHeaderPixels, header);
        band = std::ceil(band + margin);
    } else {
        band = 0;
    }
    painter.save();
    painter.translate(0, band);
    plot.toPainter(&painter, size.width(), size.height() - static_cast<int>(band));
    painter.restore();
}

}  // namespace

QImage chartImage(QCustomPlot& plot, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QCPPainter painter(&image);
    drawPicture(painter, plot, size);
    painter.end();
    return image;
}

QString exportChart(QCustomPlot& plot, const QString& path, PictureFormat format, QSize size) {
    if (size.width() < 1 || size.height() < 1 || size.width() > kMaxSide ||
        size.height() > kMaxSide)
        return QStringLiteral("A picture is from 1 to %1 pixels wide and high.").arg(kMaxSide);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return writeError(path, file.errorString());
    bool drawn = false;
    switch (format) {
        case PictureFormat::Png:
        case PictureFormat::Jpeg:
        case PictureFormat::Bmp: {
            const char* kind = format == PictureFormat::Png    ? "PNG"
                               : format == PictureFormat::Jpeg ? "JPG"
                                                               : "BMP";
            drawn =
                chartImage(plot, size).save(&file, kind, format == PictureFormat::Jpeg ? 95 : -1);
            break;
        }
        case PictureFormat::Pdf: {
            QPdfWriter writer(&file);
            // One pixel of the chart is one pixel of the pixel pictures on the page.
            writer.setResolution(pictureDpi());
            writer.setPageSize(QPageSize(QSizeF(size) * (72.0 / pictureDpi()), QPageSize::Point));
            writer.setPageMargins(QMarginsF(0, 0, 0, 0));
            writer.setCreator(QStringLiteral("Lithora"));
            QCPPainter painter;
            if (painter.begin(&writer)) {
                drawPicture(painter, plot, size);
                drawn = painter.end();
            }
            break;
        }
        case PictureFormat::Svg: {
            QBuffer drawing;
            drawing.open(QIODevice::WriteOnly);
            QSvgGenerator svg;
            svg.setOutputDevice(&drawing);
            svg.setSize(size);
            svg.setResolution(pictureDpi());
            svg.setViewBox(QRect(QPoint(0, 0), size));
            svg.setTitle(QStringLiteral("Lithora chart"));
            QCPPainter painter;
            if (painter.begin(&svg)) {
                drawPicture(painter, plot, size);
                drawn = painter.end();
            }
            drawn = drawn && file.write(svgInPixels(drawing.data(), size)) >= 0;
            break;
        }
    }
    if (!drawn) {
        file.cancelWriting();
        return writeError(path, QStringLiteral("the picture could not be drawn."));
    }
    if (!file.commit()) return writeError(path, file.errorString());
    return {};
}

ChartExportDialog::ChartExportDialog(QCustomPlot& plot, DialogSeam& seam, QWidget* parent)
    : QDialog(parent), plot_(plot), seam_(seam) {
    setWindowTitle(QStringLiteral("Export"));
    setObjectName(QStringLiteral("ChartExportDialog"));

    format_ = new QComboBox(this);
    format_->setObjectName(QStringLiteral("Format"));
    for (const PictureFormatInfo& f : kFormats)
        format_->addItem(QString::fromLatin1(f.name), static_cast<int>(f.format));

    const QSize own =
        plot.size().isValid() && !plot.size().isEmpty() ? plot.size() : QSize(400, 600);
    aspect_ = double(own.height()) / own.width();
    width_ = new QSpinBox(this);
    width_->setObjectName(QStringLiteral("Width"));
    height_ = new QSpinBox(this);
    height_->setObjectName(QStringLiteral("Height"));
    for (QSpinBox* box : {width_, height_}) {
        box->setRange(1, kMaxSide);
        box->setSuffix(QStringLiteral(" pixels"));
    }
    width_->setValue(own.width());
    height_->setValue(own.height());
    proportional_ = new QCheckBox(QStringLiteral("Keep proportions"), this);
    proportional_->setChecked(true);
    connect(width_, &QSpinBox::valueChanged, this, &ChartExportDialog::widthChanged);
    connect(height_, &QSpinBox::valueChanged, this, &ChartExportDialog::heightChanged);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Format:"), format_);
    form->addRow(QStringLiteral("Width:"), width_);
    form->addRow(QStringLiteral("Height:"), height_);
    form->addRow(QString(), proportional_);

    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("Note"));

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* saveButton =
        buttons->addButton(QStringLiteral("Save..."), QDialogButtonBox::AcceptRole);
    saveButton->setObjectName(QStringLiteral("Save"));
    QPushButton* copyButton =
        buttons->addButton(QStringLiteral("Copy to clipboard"), QDialogButtonBox::ActionRole);
    copyButton->setObjectName(QStringLiteral("Copy"));
    QPushButton* closeButton = buttons->addButton(QDialogButtonBox::Close);
    closeButton->setObjectName(QStringLiteral("Close"));
    saveButton->setDefault(true);
    // The buttons act themselves: the box must not close the dialog before the file is
    // written.
    disconnect(buttons, nullptr, this, nullptr);
    connect(saveButton, &QPushButton::clicked, this, &ChartExportDialog::save);
    connect(copyButton, &QPushButton::clicked, this, &ChartExportDialog::copyToClipboard);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(note_);
    layout->addWidget(buttons);
}

void ChartExportDialog::widthChanged(int w) {
    if (adjusting_ || !proportional_->isChecked()) return;
    adjusting_ = true;
    height_->setValue(qBound(1, qRound(w * aspect_), kMaxSide));
    adjusting_ = false;
}

void ChartExportDialog::heightChanged(int h) {
    if (adjusting_ || !proportional_->isChecked()) return;
    adjusting_ = true;
    width_->setValue(qBound(1, qRound(h / aspect_), kMaxSide));
    adjusting_ = false;
}

void ChartExportDialog::setFormat(PictureFormat format) {
    format_->setCurrentIndex(static_cast<int>(format));
}

PictureFormat ChartExportDialog::format() const {
    return static_cast<PictureFormat>(format_->currentData().toInt());
}

void ChartExportDialog::setPictureSize(QSize size) {
    adjusting_ = true;
    width_->setValue(size.width());
    height_->setValue(size.height());
    adjusting_ = false;
}

QSize ChartExportDialog::pictureSize() const {
    return QSize(width_->value(), height_->value());
}

bool ChartExportDialog::save() {
    const PictureFormatInfo& info = pictureFormatInfo(format());
    const QString path =
        seam_.saveFileName(this, QStringLiteral("Export"), QString::fromLatin1(info.filter),
                           QString::fromLatin1(info.suffix));
    if (path.isEmpty()) return false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString error = exportChart(plot_, path, format(), pictureSize());
    QApplication::restoreOverrideCursor();
    if (!error.isEmpty()) {
        seam_.message(this, QMessageBox::Warning, QStringLiteral("Export"), error, QMessageBox::Ok);
        return false;
    }
    savedPath_ = path;
    accept();
    return true;
}

void ChartExportDialog::copyToClipboard() {
    QApplication::clipboard()->setImage(chartImage(plot_, pictureSize()));
    note_->setText(QStringLiteral("The picture is on the clipboard."));
}
